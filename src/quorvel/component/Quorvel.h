// TQuorvel: the non-visual component that keeps its owner form's layout
// proportional. Dropped on a form, it records every control's bounds and font
// when the form has been loaded, and on every change of the form's client size
// sets them again from those records, scaled by the ratio of the current to the
// design client size and by the design-to-run-time screen resolution. It also
// limits the form's size while it is dragged and maximized, sizes and places the
// form when it is first shown, and corrects fonts and bounds once at start-up
// when the screen resolution differs from the designer's.
//
// The arithmetic (factors, rounding, start-up correction, size limits,
// placement, taskbar) is the layout core's (quorvel/core); this class adapts it
// to the form framework, holding the core's values. What it owns is in one
// file per concept, beside this header:
//   ControlRecords.h    the records of the controls, their lookup, the exclusion
//                       lists, reconciling them with controls made or freed later
//   FormHook.h          how the form's messages reach the component: registry,
//                       window procedure, legacy hook
//   Properties.cpp      every published property: the table, each setter with its
//                       checks and messages, the design values stored beside them
//   Quorvel.cpp         construction, destruction, read access
//   Startup.cpp         start-up (Loaded): reference size, records, DPI correction
//   FormMessages.cpp    the form's messages decoded: first show, min/max, drag, size
//   ResizeControls.cpp  the resize pass and the maximized-form correction
//   Placement.cpp       placement and the screen queries (frame, taskbar, DPI)
//   Attach.cpp          starting the component on a form made in code
#pragma once

#include "quorvel/component/CtrlInfo.h"
#include "quorvel/core/FormLimits.h"
#include "quorvel/core/Placement.h"
#include "quorvel/core/Scaling.h"
#include "quorvel/core/Startup.h"
#include "quorvel/vcl/Component.h"
#include "quorvel/vcl/Forms.h"
#include "quorvel/vcl/Graphics.h"
#include "quorvel/vcl/Lists.h"
#include "quorvel/vcl/Types.h"
#include "quorvel/win/Win32.h"

#include <functional>
#include <memory>

namespace Quorvel {

using Vcl::String;

// Where the form stands in its monitor's work area when it is first shown.
using Core::TResizeFormPos;
using enum Core::TResizeFormPos;
extern const Vcl::TEnumInfo ResizeFormPosInfo;

// Fired after every resize pass with the pass's horizontal and vertical factors.
using TExitResizeEvent =
    Vcl::TEvent<Vcl::TObject* /*Sender*/, double /*XScale*/, double /*YScale*/>;

// What a form file stores beside the component's published properties: the
// form's client size and the screen resolution it was designed at. A zero stands
// for a value the file does not have: the form's client size when the component
// starts, or the run-time resolution.
struct TDesignValues {
    int ClientWidth = 0;
    int ClientHeight = 0;
    int DpiX = 0;
    int DpiY = 0;
};

class TControlRecords;
class TFormHook;

class TQuorvel : public Vcl::TComponent {
    QV_CLASS_INFO
public:
    explicit TQuorvel(Vcl::TComponent* AOwner);
    ~TQuorvel() override;

    // Puts a new component on a form made in code and starts it as reading the
    // form from its file would: Configure (when given) sets properties through
    // their setters, as the file's values are set; the design values stand where
    // the file keeps them; the form gets a published field of the component's
    // name; then the component starts (Loaded), recording every control as it is
    // now. The form owns the component, which behaves from then on exactly like
    // one loaded from a form file. Name defaults to the first free "QuorvelN".
    // A value a setter refuses propagates its EInvalidOperation and attaches
    // nothing.
    static TQuorvel* Attach(Vcl::TCustomForm& Form, const TDesignValues& Design,
                            const std::function<void(TQuorvel&)>& Configure = {},
                            const String& Name = {});

    void DefineProperties(Vcl::TFiler& Filer) override;
    void Loaded() override;

    // Reconcile the records with controls the application created or freed.
    void DynamicAdd();
    void DynamicDelete();

    // ---- Published properties ----
    TResizeFormPos FormPos() const { return FProps.FormPos; }
    void SetFormPos(TResizeFormPos Value);
    int FormWidth() const { return FProps.FormSize.X; }
    void SetFormWidth(int Value);
    int FormHeight() const { return FProps.FormSize.Y; }
    void SetFormHeight(int Value);
    int FormMaxWidth() const { return FProps.Limits.MaxWidth; }
    void SetFormMaxWidth(int Value);
    int FormMaxHeight() const { return FProps.Limits.MaxHeight; }
    void SetFormMaxHeight(int Value);
    int FormMinWidth() const { return FProps.Limits.MinWidth; }
    void SetFormMinWidth(int Value);
    int FormMinHeight() const { return FProps.Limits.MinHeight; }
    void SetFormMinHeight(int Value);
    bool ResizeFont() const { return FProps.ResizeFont; }
    void SetResizeFont(bool Value);
    const String& NoResizeFntCtl() const { return FProps.NoResizeFntCtl; }
    void SetNoResizeFntCtl(const String& Value);
    const String& NoResizeCtl() const { return FProps.NoResizeCtl; }
    void SetNoResizeCtl(const String& Value);
    bool Enabled() const { return FProps.Enabled; }
    void SetEnabled(bool Value);
    bool ValidTaskbar() const { return FProps.ValidTaskbar; }
    void SetValidTaskbar(bool Value);
    TExitResizeEvent OnExitResize;

    // Off by default, and not stored in form files. On, a per-monitor-aware
    // program's form moved onto a monitor of another resolution (WM_DPICHANGED)
    // takes that resolution as its run-time one: fonts and references are made
    // again from the form file's values as start-up makes them, and one resize
    // pass lays the form out at its client size then, so the layout is the one
    // a start-up on that monitor would have given; later passes scale from it.
    bool FollowMonitorDpi() const { return FFollowMonitorDpi; }
    void SetFollowMonitorDpi(bool Value) { FFollowMonitorDpi = Value; }

    // True when the user's default locale is Japanese.
    bool CheckJapan() const;

    // A message of the owner form, as the window procedure or the legacy hook
    // (Route) delivers it before the form sees it: first showing, the maximum
    // size, the dragged rectangle and size changes are acted on.
    void HandleMessage(Win32::HWND Window, Win32::UINT Msg, Win32::WPARAM WParam,
                       Win32::LPARAM LParam, Core::TMessageRoute Route);
    // The same message once the form's own procedure has handled it.
    void MessageHandled(Win32::HWND Window, Win32::UINT Msg);

    // ---- Read access for tools and tests (no behaviour) ----
    struct TState {
        int OwnerWidth, OwnerHeight;
        int DesignFrmW, DesignFrmH, DesignDpiW, DesignDpiH;
        int RunDpiW, RunDpiH;
        double PrevScaleX, PrevScaleY, PrevScaleF;
        bool IsResized;
        int AddCnt, CtlCnt, ChildCtlCnt;
        Vcl::TPoint MaxSize;
        bool Registered;
        bool Subclassed;
        Win32::HWND OwnerHandle;
    };
    TState State() const;
    // The records and exclusion lists exist at run time only; null in the designer.
    const Vcl::TList* Ctrls() const;
    const Vcl::TList* ChildCtrls() const;
    const Vcl::TStringList* NoResizeCtls() const;
    const Vcl::TStringList* NoResizeFntCtls() const;
    const Vcl::TFont* OwnerFont() const { return FOwnerFont.get(); }

private:
    // The published properties' values, as their setters store them; the
    // defaults are a new component's.
    struct TProperties {
        TResizeFormPos FormPos = rpDefault;
        Core::TPoint FormSize;    // FormWidth, FormHeight; 0: not set
        Core::TSizeLimits Limits; // FormMinWidth .. FormMaxHeight; 0: not set
        bool ResizeFont = true;
        String NoResizeFntCtl;
        String NoResizeCtl;
        bool Enabled = true;
        bool ValidTaskbar = true;
    };

    Vcl::TCustomForm* OwnerForm() const;

    // The resize pass for a new client size: the form's font and every recorded
    // control laid out again from its reference at the factors of that size, a
    // maximized form kept on its monitor, then OnExitResize.
    void ResizeControls(Win32::HWND Window, Core::TPoint Client, bool Maximized,
                        Core::TMessageRoute Route);
    void ScaleControl(Vcl::TControl& Ctrl, TCtrlInfo& Info, bool TopLevel, bool FixedFont,
                      const Core::TFactors& Factors);
    void HoldParentFont(bool Before, TCtrlInfo& Info, Vcl::TControl& Ctrl);
    void KeepMaximizedOnMonitor(Win32::HWND Window, Core::TMessageRoute Route);
    bool FormGuard(Win32::HWND Window);
    void FirstShowPlacement(Win32::HWND Window);
    void MaxSizeAndPosition(Win32::HWND Window, Win32::MINMAXINFO* Info, Core::TMessageRoute Route);
    // Takes another run-time resolution as start-up takes the screen's: the
    // form's and the controls' fonts, every record's reference and font size.
    void RetakeRunDpi(int DpiX, int DpiY);

    String FOwnerFormName;
    TProperties FProps;
    TDesignValues FDesign;       // as the form file stores them
    Core::TReference FReference; // what the factors compare a client size with
    Core::TFactors FPrevious;    // of the latest pass that scaled a form's control
    bool FIsResized = false;
    std::unique_ptr<Vcl::TFont> FOwnerFont; // the form's font at start-up
    bool FFollowMonitorDpi = false;
    // What start-up corrected for the resolution with: the form's font size
    // before the correction, and what decided whether bounds are corrected.
    int FFileFontSize = 0;
    Core::TBorderKind FStartupBorder = Core::bkSizeable;
    bool FStartupMaximized = false;
    bool FStartupHasSize = false;
    bool FRetakePending = false; // a resolution was taken: the pass follows
    Vcl::TPoint FMaxSize;        // the monitor's size, for a maximized form
    std::unique_ptr<TControlRecords> FRecords;
    std::unique_ptr<TFormHook> FHook;
};

// ---- Unit-wide state of the component's unit (one user-interface thread) ----

// Whether desktop composition was on when the unit started (version 6.0 or later).
extern Win32::BOOL IsDwmEnabled;
// Language of the last size-property refusal: Japanese or English.
extern bool IsJapanese;

// Unit start-up and shut-down, run by the package (or by a program linking the
// component directly) before the first form and after the last one.
void UnitInitialization();
void UnitFinalization();

// Puts TQuorvel on the palette page "HVCtrl", for the designer. Programs need
// no call: linking the component makes its class known to the form-file reader.
void Register();

} // namespace Quorvel
