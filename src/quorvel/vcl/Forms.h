// Forms, frames, monitors and the screen.
#pragma once

#include "quorvel/vcl/ClientArea.h"
#include "quorvel/vcl/Controls.h"

#include <map>
#include <memory>
#include <unordered_map>

namespace Vcl {

class TMainMenu;

// A display monitor; every query asks the window system afresh.
class TMonitor {
public:
    explicit TMonitor(Win32::HMONITOR handle) : FHandle(handle) {}
    Win32::HMONITOR Handle() const { return FHandle; }
    TRect BoundsRect() const;
    TRect WorkareaRect() const;
    int Left() const { return BoundsRect().Left; }
    int Top() const { return BoundsRect().Top; }
    int Width() const { return BoundsRect().Width(); }
    int Height() const { return BoundsRect().Height(); }
    bool Primary() const;

private:
    Win32::HMONITOR FHandle;
};

class TScreen {
public:
    // Logical pixels per inch of the screen.
    int PixelsPerInch() const;
    int MonitorCount() const;
    TMonitor* Monitors(int index) const;
    TMonitor* MonitorFromWindow(Win32::HWND window) const;
    TMonitor* PrimaryMonitor() const;

private:
    TMonitor* Wrap(Win32::HMONITOR handle) const;
    mutable std::map<Win32::HMONITOR, std::unique_ptr<TMonitor>> FMonitors;
};

TScreen& Screen();

// The width of a vertical scroll bar and the height of a horizontal one, at the
// screen's resolution.
TPoint ScrollBarSize();

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TPosition {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter
};
enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = unsigned;
enum TDefaultMonitor { dmDesktop, dmPrimary, dmMainForm, dmActiveForm };
enum TPopupMode { pmNone, pmAuto, pmExplicit };
enum TScrollBarStyle { ssRegular, ssFlat, ssHotTrack };

extern const TEnumInfo FormBorderStyleInfo;
extern const TEnumInfo WindowStateInfo;
extern const TEnumInfo FormStyleInfo;
extern const TEnumInfo PositionInfo;
extern const TEnumInfo BorderIconsInfo;
extern const TEnumInfo DefaultMonitorInfo;
extern const TEnumInfo PopupModeInfo;
extern const TEnumInfo PrintScaleInfo; // poNone, poProportional, poPrintToFit
extern const TEnumInfo ScrollBarStyleInfo;

// A scroll bar of a scrolling control. It keeps its settings for the form file;
// nothing here scrolls.
class TControlScrollBar : public TPersistent {
    QV_CLASS_INFO
public:
    int ButtonSize() const { return FButtonSize; }
    void SetButtonSize(int v) { FButtonSize = v; }
    TColor Color() const { return FColor; }
    void SetColor(TColor v) { FColor = v; }
    int Increment() const { return FIncrement; }
    void SetIncrement(int v) { FIncrement = v; }
    int Margin() const { return FMargin; }
    void SetMargin(int v) { FMargin = v; }
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool v) { FParentColor = v; }
    int Position() const { return FPosition; }
    void SetPosition(int v) { FPosition = v; }
    int Range() const { return FRange; }
    void SetRange(int v) { FRange = v; }
    bool Smooth() const { return FSmooth; }
    void SetSmooth(bool v) { FSmooth = v; }
    int Size() const { return FSize; }
    void SetSize(int v) { FSize = v; }
    TScrollBarStyle Style() const { return FStyle; }
    void SetStyle(TScrollBarStyle v) { FStyle = v; }
    int ThumbSize() const { return FThumbSize; }
    void SetThumbSize(int v) { FThumbSize = v; }
    bool Tracking() const { return FTracking; }
    void SetTracking(bool v) { FTracking = v; }
    bool Visible() const { return FVisible; }
    void SetVisible(bool v) { FVisible = v; }
    void Assign(const TPersistent& source) override;

private:
    int FButtonSize = 0;
    TColor FColor = clBtnHighlight;
    int FIncrement = 8;
    int FMargin = 0;
    bool FParentColor = true;
    int FPosition = 0;
    int FRange = 0;
    bool FSmooth = false;
    int FSize = 0;
    TScrollBarStyle FStyle = ssRegular;
    int FThumbSize = 0;
    bool FTracking = false;
    bool FVisible = true;
};

// A windowed control with scroll bars: forms, frames and scroll boxes.
class TScrollingWinControl : public TWinControl {
    QV_CLASS_INFO
public:
    using TWinControl::TWinControl;
    TControlScrollBar* HorzScrollBar() { return &FHorzScrollBar; }
    TControlScrollBar* VertScrollBar() { return &FVertScrollBar; }
    // AutoScroll as stored, or the class's own default.
    bool AutoScroll() const;
    // How far the children that scroll reach: the visible unaligned ones, on an
    // axis where they are anchored to the near side only. Aligned children and
    // those anchored to the far side follow the client area instead.
    TPoint AutoScrollRange() const;
    // The bars AutoScroll shows for that range in a client area of this size
    // without bars; none without AutoScroll.
    ClientArea::TScrollBars AutoScrollBars(TPoint client) const;

private:
    TControlScrollBar FHorzScrollBar;
    TControlScrollBar FVertScrollBar;
};

// Published fields of forms and frames whose class has no table of its own: one
// slot per named component, made while the form file is read.
class TFieldTable {
public:
    TComponent** Find(std::string_view name);
    TComponent** Add(const String& name, TComponent* component);
    // A freed component leaves every slot that refers to it.
    void Forget(TComponent* component);

private:
    std::map<String, std::unique_ptr<TComponent*>, TNameLess> FSlots;
    // The slots each component was put in, so a freed one is forgotten at once.
    std::unordered_multimap<TComponent*, TComponent**> FByComponent;
};

class TCustomForm : public TScrollingWinControl {
    QV_CLASS_INFO
public:
    explicit TCustomForm(TComponent* owner);
    ~TCustomForm() override;

    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle value);
    TBorderIcons BorderIcons() const { return FBorderIcons; }
    void SetBorderIcons(TBorderIcons value) { FBorderIcons = value; }
    // The window's state once it exists; the stored state before.
    TWindowState WindowState() const;
    void SetWindowState(TWindowState value);
    TFormStyle FormStyle() const { return FFormStyle; }
    void SetFormStyle(TFormStyle value) { FFormStyle = value; }
    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition value) { FPosition = value; }
    int PixelsPerInch() const { return FPixelsPerInch; }
    void SetPixelsPerInch(int value);
    // A Scaled form read at run time from a file whose PixelsPerInch is not the
    // screen's is scaled to the screen as it is read (ChangeScale by the two
    // resolutions: bounds, fonts, constraints, the client size); its
    // PixelsPerInch and its fonts' are the screen's then. A form that is not
    // Scaled keeps the file's resolution: its fonts keep their point sizes.
    bool Scaled() const { return FScaled; }
    void SetScaled(bool value) { FScaled = value; }
    // The reader's part: called once a file of the form (an ancestor's, or the
    // form's own, last) has been read, with the resolution that file stores (0
    // for none: taken at the screen's).
    void ReadFileDone(int filePixelsPerInch, bool last);
    // The resolutions the form was scaled between while it was read, the same
    // twice when it was not (a form not Scaled, or at the screen's already).
    struct TLoadScaling {
        int From = 96, To = 96;
    };
    TLoadScaling LoadScaling() const { return FLoadScaling; }
    // A per-monitor-aware program's Scaled form told of a new DPI
    // (WM_DPICHANGED) scales by the new to the old one as when it is read
    // (bounds, fonts, constraints), keeps its fonts' point sizes at the new
    // resolution and takes the suggested window rectangle. Other forms keep
    // their layout; the rectangle is theirs to take.
    void DpiChanged(int dpi, const Win32::RECT& suggested);
    // The DPI the form is laid out at now: the screen's after reading, then the
    // last one a DPI change gave it.
    int CurrentPixelsPerInch() const;

    int ClientWidth() const override;
    int ClientHeight() const override;
    void SetClientWidth(int value) override;
    void SetClientHeight(int value) override;

    // The main menu, by the name of a component the form owns (a form file
    // may name it before the menu is read).
    const String& MenuName() const { return FMenuName; }
    void SetMenuName(const String& name);
    // The main menu whose bar the window shows: none for a dialog at run time or
    // an MDI child, nor while the menu has no visible item.
    TMainMenu* MenuOnBar() const;
    // The window's bar shows the menu's items as they are now.
    void MenuChanged();

    // The monitor that holds most of the form.
    TMonitor* Monitor();
    TIcon* Icon() const { return FIcon; }

    void Show();
    void Hide();
    bool Showing() const;
    void SetVisible(bool value) override;

    TComponent** FieldAddress(std::string_view name) override;
    TFieldTable& Fields() { return FFields; }

    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;

    // Outer size for a client size under the current border style.
    TPoint OuterSizeFor(int clientWidth, int clientHeight) const;

    // A form scales its children, font, constraints and client size; it stays
    // where it is.
    void ChangeScale(int m, int d) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandle() override;
    void UpdateBounds(const Win32::WINDOWPOS& pos) override;
    void WndProc(TMessage& message) override;

private:
    void ApplyPosition();
    // What becomes of the fonts' resolution when the form is scaled: kept (a
    // file that is not the last), measured at the new one (reading), or followed
    // as the monitor's (a DPI change).
    enum TFontsAtDpi { fdKeep, fdMeasure, fdFollow };
    // Scales the form from one resolution to the other (nothing when they are
    // the same), then its fonts as told; the form is at the new one unless kept.
    void ScaleBy(int newDpi, int oldDpi, TFontsAtDpi fonts);
    Win32::DWORD WindowStyle() const;
    Win32::DWORD WindowExStyle() const;
    // A menu of the window system's holding the bar's items; null without a bar.
    Win32::HMENU MakeMenuBar() const;

    TFormBorderStyle FBorderStyle = bsSizeable;
    TBorderIcons FBorderIcons = (1u << biSystemMenu) | (1u << biMinimize) | (1u << biMaximize);
    TWindowState FWindowState = wsNormal;
    TFormStyle FFormStyle = fsNormal;
    TPosition FPosition = poDesigned;
    int FPixelsPerInch = 96;
    bool FScaled = true;
    int FMonitorPpi = 0; // 0: no DPI change yet
    TLoadScaling FLoadScaling;
    // Client size read from a form file, applied once loading has finished (the
    // border style may come later in the file); -1 when the file has none.
    int FPendingClientWidth = -1;
    int FPendingClientHeight = -1;
    bool FPositioned = false;
    bool FDestroying = false; // its components go: the menu bar is left alone
    String FMenuName;
    TFieldTable FFields;
    TIcon* FIcon;
};

class TForm : public TCustomForm {
    QV_CLASS_INFO
public:
    using TCustomForm::TCustomForm;
};

class TCustomFrame : public TScrollingWinControl {
    QV_CLASS_INFO
public:
    explicit TCustomFrame(TComponent* owner);
    ~TCustomFrame() override;
    TComponent** FieldAddress(std::string_view name) override;
    TFieldTable& Fields() { return FFields; }
    void Notification(TComponent* component, TOperation operation) override;

private:
    TFieldTable FFields;
};

class TFrame : public TCustomFrame {
    QV_CLASS_INFO
public:
    using TCustomFrame::TCustomFrame;
};

} // namespace Vcl
