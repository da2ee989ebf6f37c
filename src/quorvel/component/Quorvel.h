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
// to the form framework. Its methods are in one file per concept, beside this
// header:
//   Properties.cpp      every published property: the table, each setter with its
//                       checks and messages, the design values stored beside them
//   Quorvel.cpp         construction, destruction, read access
//   Startup.cpp         start-up (Loaded): reference size, records, DPI correction
//   Records.cpp         the one record builder, the font copy, lookup by name
//   ControlWalk.h       the one walk over the form's controls and frame children
//   Exclusions.cpp      parsing NoResizeCtl and NoResizeFntCtl
//   Dynamic.cpp         reconciling records with controls made or freed later
//   ResizeControls.cpp  the resize pass and the maximized-form correction
//   FormWndProc.cpp     the form's messages: first show, min/max, drag, size
//   Interception.cpp    instance registry, window procedure, legacy hook
//   Placement.cpp       placement and the screen queries (frame, taskbar, DPI)
//   Attach.cpp          starting the component on a form made in code
#pragma once

#include "quorvel/component/CtrlInfo.h"
#include "quorvel/core/FormLimits.h"
#include "quorvel/core/Placement.h"
#include "quorvel/vcl/Component.h"
#include "quorvel/vcl/Forms.h"
#include "quorvel/vcl/Graphics.h"
#include "quorvel/vcl/Lists.h"
#include "quorvel/vcl/Types.h"
#include "quorvel/win/Win32.h"

#include <cstdint>
#include <functional>
#include <string_view>
#include <unordered_map>

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
    TResizeFormPos FormPos() const { return FFormPos; }
    void SetFormPos(TResizeFormPos Value);
    int FormWidth() const { return FFormWidth; }
    void SetFormWidth(int Value);
    int FormHeight() const { return FFormHeight; }
    void SetFormHeight(int Value);
    int FormMaxWidth() const { return FFormMaxWidth; }
    void SetFormMaxWidth(int Value);
    int FormMaxHeight() const { return FFormMaxHeight; }
    void SetFormMaxHeight(int Value);
    int FormMinWidth() const { return FFormMinWidth; }
    void SetFormMinWidth(int Value);
    int FormMinHeight() const { return FFormMinHeight; }
    void SetFormMinHeight(int Value);
    bool ResizeFont() const { return FResizeFont; }
    void SetResizeFont(bool Value);
    const String& NoResizeFntCtl() const { return FNoResizeFntCtl; }
    void SetNoResizeFntCtl(const String& Value);
    const String& NoResizeCtl() const { return FNoResizeCtl; }
    void SetNoResizeCtl(const String& Value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    bool ValidTaskbar() const { return FValidTaskbar; }
    void SetValidTaskbar(bool Value);
    TExitResizeEvent OnExitResize;

    // True when the user's default locale is Japanese.
    bool CheckJapan() const;

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
    const Vcl::TList* Ctrls() const { return FCtrls; }
    const Vcl::TList* ChildCtrls() const { return FChildCtrls; }
    const Vcl::TStringList* NoResizeCtls() const { return FNoResizeCtls; }
    const Vcl::TStringList* NoResizeFntCtls() const { return FNoResizeFntCtls; }
    const Vcl::TFont* OwnerFont() const { return FOwnerFont; }

    // The window procedure and the hook reach the instance's message handling.
    friend Win32::LRESULT QV_CALLBACK FormWndProc(Win32::HWND, Win32::UINT, Win32::WPARAM,
                                                  Win32::LPARAM);
    friend Win32::LRESULT QV_CALLBACK FormHookProc(int, Win32::WPARAM, Win32::LPARAM);
    friend TQuorvel* FindInstance(Win32::HWND);
    friend Win32::LRESULT Forward(Win32::HWND, Win32::UINT, Win32::WPARAM, Win32::LPARAM);

private:
    Vcl::TCustomForm* OwnerForm() const;

    // Records (Records.cpp, Exclusions.cpp, Dynamic.cpp)
    void GetFontSetting(Vcl::TFont*& Font, Vcl::TComponent* Component);
    void AddCtrlInfo(Vcl::TComponent* Control, const String& ParentName, int ChildCount);
    // The one record builder: a record for the control, appended to its list. At
    // start-up (StartupRatio given) an own font is corrected by the ratio and the
    // control's values are the reference; later, the current values divided by
    // the latest factors are.
    PCtrlInfo NewCtrlInfo(Vcl::TControl* Control, const String& ParentName, int ChildCount,
                          const double* StartupRatio);
    void SetNoResizeFntCtls();
    void SetNoResizeCtls();
    void RefreshCtrls();
    void AddNewCtrls(int CompCount, int ChildCount);
    void RemoveDeletedCtrls(int CompCount, int ChildCount);
    static void DisposeInfo(PCtrlInfo Info);
    int NestedCount(int Count) const;
    // First record of that name (exact, case-sensitive), or nullptr.
    PCtrlInfo FindCtrl(std::string_view Name);
    // First child record of that frame and name, or nullptr.
    PCtrlInfo FindChildCtrl(std::string_view ParentName, std::string_view Name);
    void RecordsChanged() { FIndexValid = false; }
    void RebuildIndex();

    // Engine (ResizeControls.cpp, FormWndProc.cpp)
    void ResizeControls(Win32::HWND Window, Win32::WPARAM SizeType, Win32::LPARAM Param,
                        bool FromHook);
    void ResizeOne(PCtrlInfo Info, Vcl::TControl* Ctrl, double XScale, double YScale,
                   double FontScale, bool TopLevel);
    void HoldParentFont(bool Before, PCtrlInfo Info, Vcl::TControl* Ctrl);
    void KeepMaximizedOnMonitor(Win32::HWND Window, bool FromHook);
    void HandleMessage(Win32::HWND Window, Win32::UINT Msg, Win32::WPARAM WParam,
                       Win32::LPARAM LParam, bool FromHook);
    bool FormGuard(Win32::HWND Window);
    void FirstShowPlacement(Win32::HWND Window);
    void MaxSizeAndPosition(Win32::HWND Window, Win32::MINMAXINFO* Info, bool FromHook);
    void ClampDragRect(Win32::RECT* Rect) const;
    Core::TSizeLimits SizeLimits() const;

    // Interception (Interception.cpp)
    void InstallWndProc(Win32::HWND Window);
    void RestoreWndProc();

    // Fields, in their declared order.
    String FOwnerFormName;
    int FOwnerWidth = 0;
    int FOwnerHeight = 0;
    Win32::HWND FOwnerHandle = nullptr;
    Vcl::TFont* FOwnerFont = nullptr;
    Vcl::TList* FCtrls = nullptr;
    Vcl::TComponent** FSelfPointer = nullptr;
    Vcl::TStringList* FNoResizeFntCtls = nullptr;
    Vcl::TStringList* FNoResizeCtls = nullptr;
    int FAddCnt = 0;
    double FPrevScaleX = 0;
    double FPrevScaleY = 0;
    double FPrevScaleF = 0;
    int FDesignFrmW = 0;
    int FDesignFrmH = 0;
    int FDesignDpiW = 0;
    int FDesignDpiH = 0;
    int FRunDpiW = 0;
    int FRunDpiH = 0;
    bool FIsResized = false;
    TResizeFormPos FFormPos = rpDefault;
    int FFormWidth = 0;
    int FFormHeight = 0;
    int FFormMaxWidth = 0;
    int FFormMaxHeight = 0;
    int FFormMinWidth = 0;
    int FFormMinHeight = 0;
    bool FResizeFont = false;
    String FNoResizeFntCtl;
    String FNoResizeCtl;
    int FCtlCnt = 0;
    // FOnExitResize is the public OnExitResize above.
    bool FEnabled = false;
    bool FValidTaskbar = false;
    Win32::LONG_PTR lpPrevWndProc = 0;
    Vcl::TList* FChildCtrls = nullptr;
    int FChildCtlCnt = 0;
    Vcl::TPoint FMaxSize;

    // Lookup indexes over the record lists: the first record of each name, so a
    // pass finds records in constant time with the lists' first-match meaning.
    bool FIndexValid = false;
    std::unordered_map<std::string_view, PCtrlInfo> FCtrlIndex;
    std::unordered_map<std::string_view, std::unordered_map<std::string_view, PCtrlInfo>>
        FChildIndex;
    // This instance holds a share of the unit's hook (major version 4).
    bool FHoldsHook = false;
};

// ---- Unit-wide state, shared by all instances (one user-interface thread) ----

// Registry of started instances: each item is the address of an owner form's
// published field that refers to the instance.
extern Vcl::TList* InstanceList;
// The WH_CALLWNDPROC hook of major version 4 systems, or none.
extern Win32::HHOOK HookHandle;
// Whether desktop composition was on when the unit started (version 6.0 or later).
extern Win32::BOOL IsDwmEnabled;
// Language of the last size-property refusal: Japanese or English.
extern bool IsJapanese;

// Unit start-up and shut-down, run by the package (or by a program linking the
// component directly) before the first form and after the last one.
void UnitInitialization();
void UnitFinalization();

// The instance whose owner form has this window, as the window procedure and the
// hook look it up: the first registered instance whose form field still refers
// to a live instance with that window handle.
TQuorvel* FindInstance(Win32::HWND Window);

Win32::LRESULT QV_CALLBACK FormWndProc(Win32::HWND hWnd, Win32::UINT Msg, Win32::WPARAM wParam,
                                       Win32::LPARAM lParam);
Win32::LRESULT QV_CALLBACK FormHookProc(int nCode, Win32::WPARAM wParam, Win32::LPARAM lParam);

// Puts TQuorvel on the palette page "HVCtrl".
void Register();

} // namespace Quorvel
