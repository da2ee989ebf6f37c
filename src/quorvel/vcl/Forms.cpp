#include "quorvel/vcl/Forms.h"

#include "quorvel/vcl/Collections.h"
#include "quorvel/vcl/Menus.h"
#include "quorvel/vcl/Published.h"
#include "quorvel/vcl/StdCtrls.h"

#include <algorithm>

namespace Vcl {

using namespace Win32;

// ---- TMonitor, TScreen ------------------------------------------------------------

namespace {
MONITORINFO InfoOf(HMONITOR monitor) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    GetMonitorInfoW(monitor, &info);
    return info;
}
} // namespace

TRect TMonitor::BoundsRect() const { return RectOf(InfoOf(FHandle).rcMonitor); }
TRect TMonitor::WorkareaRect() const { return RectOf(InfoOf(FHandle).rcWork); }
bool TMonitor::Primary() const { return (InfoOf(FHandle).dwFlags & MONITORINFOF_PRIMARY) != 0; }

TScreen& Screen() {
    static TScreen screen;
    return screen;
}

int TScreen::PixelsPerInch() const {
    HDC dc = GetDC(nullptr);
    int ppi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(nullptr, dc);
    return ppi;
}

TMonitor* TScreen::Wrap(HMONITOR handle) const {
    if (!handle)
        return nullptr;
    auto& slot = FMonitors[handle];
    if (!slot)
        slot = std::make_unique<TMonitor>(handle);
    return slot.get();
}

namespace {
BOOL QV_CALLBACK CollectMonitor(HMONITOR monitor, HDC, RECT*, LPARAM data) {
    reinterpret_cast<std::vector<HMONITOR>*>(data)->push_back(monitor);
    return 1;
}

std::vector<HMONITOR> AllMonitors() {
    std::vector<HMONITOR> monitors;
    EnumDisplayMonitors(nullptr, nullptr, &CollectMonitor, reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}
} // namespace

int TScreen::MonitorCount() const { return static_cast<int>(AllMonitors().size()); }

TMonitor* TScreen::Monitors(int index) const {
    auto all = AllMonitors();
    if (index < 0 || index >= static_cast<int>(all.size()))
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return Wrap(all[static_cast<std::size_t>(index)]);
}

TMonitor* TScreen::MonitorFromWindow(HWND window) const {
    return Wrap(Win32::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
}

TMonitor* TScreen::PrimaryMonitor() const {
    return Wrap(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY));
}

// ---- Field tables -------------------------------------------------------------------

TComponent** TFieldTable::Find(std::string_view name) {
    auto it = FSlots.find(name);
    return it == FSlots.end() ? nullptr : it->second.get();
}

TComponent** TFieldTable::Add(const String& name, TComponent* component) {
    auto& slot = FSlots[name];
    if (!slot)
        slot = std::make_unique<TComponent*>(nullptr);
    *slot = component;
    FByComponent.emplace(component, slot.get());
    return slot.get();
}

void TFieldTable::Forget(TComponent* component) {
    auto [first, last] = FByComponent.equal_range(component);
    for (auto it = first; it != last; ++it)
        if (*it->second == component)
            *it->second = nullptr;
    FByComponent.erase(first, last);
}

// ---- Scroll bars ----------------------------------------------------------------------

const TEnumInfo ScrollBarStyleInfo{"TScrollBarStyle", {"ssRegular", "ssFlat", "ssHotTrack"}};

const TClassInfo& TControlScrollBar::StaticClass() {
    using C = TControlScrollBar;
    static const TClassInfo info{
        "TControlScrollBar",
        &TPersistent::StaticClass(),
        {
            IntProp<C>("ButtonSize", &C::ButtonSize, &C::SetButtonSize, 0),
            IdentIntProp<C>("Color", ColorIdents, &C::Color, &C::SetColor, clBtnHighlight),
            IntProp<C>("Increment", &C::Increment, &C::SetIncrement, 8),
            IntProp<C>("Margin", &C::Margin, &C::SetMargin, 0),
            BoolProp<C>("ParentColor", &C::ParentColor, &C::SetParentColor, true),
            IntProp<C>("Position", &C::Position, &C::SetPosition, 0),
            IntProp<C>("Range", &C::Range, &C::SetRange, 0),
            BoolProp<C>("Smooth", &C::Smooth, &C::SetSmooth, false),
            IntProp<C>("Size", &C::Size, &C::SetSize, 0),
            EnumProp<C>("Style", ScrollBarStyleInfo, &C::Style, &C::SetStyle, ssRegular),
            IntProp<C>("ThumbSize", &C::ThumbSize, &C::SetThumbSize, 0),
            BoolProp<C>("Tracking", &C::Tracking, &C::SetTracking, false),
            BoolProp<C>("Visible", &C::Visible, &C::SetVisible, true),
        },
        {},
        nullptr};
    return info;
}

void TControlScrollBar::Assign(const TPersistent& source) {
    const auto* other = dynamic_cast<const TControlScrollBar*>(&source);
    if (!other)
        AssignError(source);
    FButtonSize = other->FButtonSize;
    FColor = other->FColor;
    FIncrement = other->FIncrement;
    FMargin = other->FMargin;
    FParentColor = other->FParentColor;
    FPosition = other->FPosition;
    FRange = other->FRange;
    FSmooth = other->FSmooth;
    FSize = other->FSize;
    FStyle = other->FStyle;
    FThumbSize = other->FThumbSize;
    FTracking = other->FTracking;
    FVisible = other->FVisible;
}

const TClassInfo& TScrollingWinControl::StaticClass() {
    using C = TScrollingWinControl;
    static const TClassInfo info{"TScrollingWinControl",
                                 &TWinControl::StaticClass(),
                                 {
                                     ClassProp<C>("HorzScrollBar", &C::HorzScrollBar),
                                     ClassProp<C>("VertScrollBar", &C::VertScrollBar),
                                 },
                                 {},
                                 nullptr};
    return info;
}

bool TScrollingWinControl::AutoScroll() const {
    const TPropInfo* prop = GetPropInfo(*this, "AutoScroll");
    return prop && prop->GetOrd && prop->GetOrd(*this) != 0;
}

TPoint TScrollingWinControl::AutoScrollRange() const {
    long long right = 0, bottom = 0;
    for (int i = 0; i < ControlCount(); ++i) {
        const TControl* c = Controls(i);
        if (!c->Visible() || c->Align() != alNone)
            continue;
        const TAnchors a = c->Anchors();
        if ((a & (1u << akLeft)) && !(a & (1u << akRight)))
            right = std::max(right, static_cast<long long>(c->Left()) + c->Width());
        if ((a & (1u << akTop)) && !(a & (1u << akBottom)))
            bottom = std::max(bottom, static_cast<long long>(c->Top()) + c->Height());
    }
    return {Core::Narrow(right), Core::Narrow(bottom)};
}

ClientArea::TScrollBars TScrollingWinControl::AutoScrollBars(TPoint client) const {
    if (!AutoScroll())
        return {};
    return ClientArea::AutoScrollBars(client, AutoScrollRange(), ScrollBarSize());
}

TPoint ScrollBarSize() {
    const auto dpi = static_cast<UINT>(Screen().PixelsPerInch());
    return {GetSystemMetricsForDpi(SM_CXVSCROLL, dpi), GetSystemMetricsForDpi(SM_CYHSCROLL, dpi)};
}

// ---- TCustomForm ----------------------------------------------------------------------

const TEnumInfo FormBorderStyleInfo{
    "TFormBorderStyle",
    {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"}};
const TEnumInfo WindowStateInfo{"TWindowState", {"wsNormal", "wsMinimized", "wsMaximized"}};
const TEnumInfo FormStyleInfo{"TFormStyle", {"fsNormal", "fsMDIChild", "fsMDIForm", "fsStayOnTop"}};
const TEnumInfo PositionInfo{"TPosition",
                             {"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly",
                              "poScreenCenter", "poDesktopCenter", "poMainFormCenter",
                              "poOwnerFormCenter"}};
const TEnumInfo BorderIconsInfo{"TBorderIcon",
                                {"biSystemMenu", "biMinimize", "biMaximize", "biHelp"}};
const TEnumInfo DefaultMonitorInfo{"TDefaultMonitor",
                                   {"dmDesktop", "dmPrimary", "dmMainForm", "dmActiveForm"}};
const TEnumInfo PopupModeInfo{"TPopupMode", {"pmNone", "pmAuto", "pmExplicit"}};
const TEnumInfo PrintScaleInfo{"TPrintScale", {"poNone", "poProportional", "poPrintToFit"}};

namespace {
bool ClientSizeStored(const TObject&) { return true; }
bool NeverStored(const TObject&) { return false; }
} // namespace

namespace {
// How far the window frame reaches into the client area (drawn only).
const TClassInfo& GlassFrameInfo() {
    static const TClassInfo info{"TGlassFrame",
                                 &TPersistent::StaticClass(),
                                 {
                                     Published::PlainBool("Enabled", false),
                                     Published::PlainInt("Left", 0),
                                     Published::PlainInt("Top", 0),
                                     Published::PlainInt("Right", 0),
                                     Published::PlainInt("Bottom", 0),
                                     Published::PlainBool("SheetOfGlass", false),
                                 },
                                 {},
                                 nullptr};
    return info;
}
} // namespace

const TClassInfo& TCustomForm::StaticClass() {
    using F = TCustomForm;
    namespace P = Published;
    static const TClassInfo info{
        "TCustomForm",
        &TScrollingWinControl::StaticClass(),
        StdProps::WithEvents(
            {
                // A form stores its client size, not its outer size.
                WithStored(P::Width(), NeverStored),
                WithStored(P::Height(), NeverStored),
                StdProps::Action(),
                P::PlainRef("ActiveControl"),
                P::Align(),
                P::PlainBool("AlphaBlend", false),
                P::PlainInt("AlphaBlendValue", 255),
                P::Anchors(),
                P::PlainBool("AutoScroll", true),
                P::AutoSize(false),
                StdProps::BiDiMode(),
                SetProp<F>("BorderIcons", BorderIconsInfo, &F::BorderIcons, &F::SetBorderIcons,
                           (1u << biSystemMenu) | (1u << biMinimize) | (1u << biMaximize)),
                EnumProp<F>("BorderStyle", FormBorderStyleInfo, &F::BorderStyle, &F::SetBorderStyle,
                            bsSizeable),
                P::PlainInt("BorderWidth", 0),
                P::Caption(),
                WithStored(IntProp<F>("ClientHeight", &F::ClientHeight, &F::SetClientHeight),
                           ClientSizeStored),
                WithStored(IntProp<F>("ClientWidth", &F::ClientWidth, &F::SetClientWidth),
                           ClientSizeStored),
                P::Color(),
                P::PlainBool("TransparentColor", false),
                P::PlainIdentInt("TransparentColorValue", ColorIdents, 0),
                P::Constraints(),
                P::PlainBool("Ctl3D", true),
                P::PlainBool("UseDockManager", false),
                P::PlainEnum("DefaultMonitor", DefaultMonitorInfo, dmActiveForm),
                P::PlainBool("DockSite", false),
                P::PlainBool("DoubleBuffered", false),
                StdProps::DragKind(),
                StdProps::DragMode(),
                P::Enabled(),
                P::Font(),
                EnumProp<F>("FormStyle", FormStyleInfo, &F::FormStyle, &F::SetFormStyle, fsNormal),
                P::ValuesObject("GlassFrame", GlassFrameInfo()),
                P::PlainString("HelpFile"),
                ClassProp<F>("Icon", &F::Icon),
                P::PlainBool("KeyPreview", false),
                RefProp<F>("Menu", &F::MenuName, &F::SetMenuName),
                P::PlainBool("OldCreateOrder"),
                P::PlainRef("ObjectMenuItem"),
                P::Padding(),
                StdProps::ParentBiDiMode(),
                P::ParentFont(),
                IntProp<F>("PixelsPerInch", &F::PixelsPerInch, &F::SetPixelsPerInch),
                P::PopupMenu(),
                P::PlainEnum("PopupMode", PopupModeInfo, pmNone),
                P::PlainRef("PopupParent"),
                EnumProp<F>("Position", PositionInfo, &F::Position, &F::SetPosition, poDesigned),
                P::PlainEnum("PrintScale", PrintScaleInfo, 1),
                BoolProp<F>("Scaled", &F::Scaled, &F::SetScaled, true),
                P::PlainBool("ScreenSnap", false),
                P::ShowHint(),
                P::PlainInt("SnapBuffer", 10),
                StdProps::StyleElements(),
                StdProps::StyleName(),
                P::PlainInt("TextHeight"),
                StdProps::Touch(),
                BoolProp<F>("Visible", &F::Visible, &F::SetVisible, false),
                EnumProp<F>("WindowState", WindowStateInfo, &F::WindowState, &F::SetWindowState,
                            wsNormal),
                P::PlainRef("WindowMenu"),
            },
            {"OnActivate",
             "OnAfterMonitorDpiChanged",
             "OnAlignInsertBefore",
             "OnAlignPosition",
             "OnBeforeMonitorDpiChanged",
             "OnCanResize",
             "OnClick",
             "OnClose",
             "OnCloseQuery",
             "OnConstrainedResize",
             "OnContextPopup",
             "OnCreate",
             "OnDblClick",
             "OnDestroy",
             "OnDeactivate",
             "OnDockDrop",
             "OnDockOver",
             "OnDragDrop",
             "OnDragOver",
             "OnEndDock",
             "OnGesture",
             "OnGetSiteInfo",
             "OnHide",
             "OnHelp",
             "OnKeyDown",
             "OnKeyPress",
             "OnKeyUp",
             "OnMouseActivate",
             "OnMouseDown",
             "OnMouseEnter",
             "OnMouseLeave",
             "OnMouseMove",
             "OnMouseUp",
             "OnMouseWheel",
             "OnMouseWheelDown",
             "OnMouseWheelUp",
             "OnPaint",
             "OnResize",
             "OnShortCut",
             "OnShow",
             "OnStartDock",
             "OnUnDock"}),
        {},
        nullptr};
    return info;
}

const TClassInfo& TForm::StaticClass() {
    static const TClassInfo info{
        "TForm", &TCustomForm::StaticClass(), {}, {}, &CreateInstance<TForm>};
    return info;
}

TCustomForm::TCustomForm(TComponent* owner) : TScrollingWinControl(owner), FIcon(new TIcon) {
    FSetCaptionOnRename = true;
    FLeft = 0;
    FTop = 0;
    FWidth = 320;
    FHeight = 240;
    SetVisible(false);
    // A form has no parent to take its colour from: its colour is always stored.
    SetParentColor(false);
}

TCustomForm::~TCustomForm() {
    // Components go first, while the form and its field slots are still whole.
    FDestroying = true;
    DestroyComponents();
    DestroyHandle();
    delete FIcon;
}

TComponent** TCustomForm::FieldAddress(std::string_view name) {
    if (TComponent** slot = TObject::FieldAddress(name))
        return slot;
    return FFields.Find(name);
}

void TCustomForm::Notification(TComponent* component, TOperation operation) {
    TScrollingWinControl::Notification(component, operation);
    if (operation == TOperation::opRemove)
        FFields.Forget(component);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle value) {
    if (value == FBorderStyle)
        return;
    int cw = ClientWidth(), ch = ClientHeight();
    FBorderStyle = value;
    if (HandleAllocated()) {
        SetWindowLongPtrW(FHandle, GWL_STYLE, static_cast<LONG_PTR>(WindowStyle()));
        SetWindowLongPtrW(FHandle, GWL_EXSTYLE, static_cast<LONG_PTR>(WindowExStyle()));
        SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    }
    // The client area keeps its size; the frame around it changes.
    if (!ComponentState().Contains(csLoading)) {
        TPoint outer = OuterSizeFor(cw, ch);
        SetBounds(FLeft, FTop, outer.X, outer.Y);
    }
}

void TCustomForm::SetPixelsPerInch(int value) {
    if (value > 0)
        FPixelsPerInch = value;
}

void TCustomForm::ChangeScale(int m, int d) {
    const TScalingFlags flags = FlagsToScale();
    DisableAlign();
    ScaleControls(m, d);
    if (m != d) {
        // The client size the file gave (or the one the form has): a form file
        // stores the client size, older ones the outer size. Read before the
        // limits change, which could clamp it.
        const bool w = (flags & (1u << sfWidth)) != 0, h = (flags & (1u << sfHeight)) != 0;
        const int cw = ScaleValue(ClientWidth(), m, d), ch = ScaleValue(ClientHeight(), m, d);
        if (flags & (1u << sfConstraints))
            Constraints()->ScaleBy(m, d);
        // A form has no parent to take a font from: its own is always scaled.
        if (flags & (1u << sfFont))
            Font()->SetHeight(ScaleValue(Font()->Height(), m, d));
        if (ComponentState().Contains(csLoading)) {
            if (w)
                FPendingClientWidth = std::max(cw, 0);
            if (h)
                FPendingClientHeight = std::max(ch, 0);
        } else {
            if (w)
                SetClientWidth(cw);
            if (h)
                SetClientHeight(ch);
        }
    }
    FScalingFlags = 0;
    RetakeAnchorsAfterScaling(m, d);
    EnableAlign();
}

namespace {
void MeasureFontsAt(TControl& control, int ppi) {
    control.Font()->SetPixelsPerInch(ppi);
    if (auto* win = dynamic_cast<TWinControl*>(&control))
        for (int i = 0; i < win->ControlCount(); ++i)
            MeasureFontsAt(*win->Controls(i), ppi);
}

void FollowMonitorAt(TControl& control, int ppi) {
    control.Font()->FollowMonitor(ppi);
    if (auto* win = dynamic_cast<TWinControl*>(&control))
        for (int i = 0; i < win->ControlCount(); ++i)
            FollowMonitorAt(*win->Controls(i), ppi);
}
} // namespace

void TCustomForm::ReadFileDone(int filePixelsPerInch, bool last) {
    if (Designing())
        return;
    const int screen = Screen().PixelsPerInch();
    // Only the last file's fonts are measured at the screen's resolution: a form
    // that is not scaled keeps its file's, and its fonts their point sizes.
    const TFontsAtDpi fonts = last && FScaled ? fdMeasure : fdKeep;
    if (FScaled && screen > 0 && filePixelsPerInch > 0 && filePixelsPerInch != screen) {
        FLoadScaling = {filePixelsPerInch, screen};
        ScaleBy(screen, filePixelsPerInch, fonts);
    } else {
        // Nothing of this file is scaled; what it set stays as it is.
        ResetScalingFlags();
        ScaleBy(screen, screen, fonts);
    }
}

void TCustomForm::ScaleBy(int newDpi, int oldDpi, TFontsAtDpi fonts) {
    if (newDpi != oldDpi)
        ChangeScale(newDpi, oldDpi);
    if (fonts == fdKeep)
        return;
    // Sizes in points are the new resolution's now.
    if (fonts == fdMeasure)
        MeasureFontsAt(*this, newDpi);
    else
        FollowMonitorAt(*this, newDpi);
    FPixelsPerInch = newDpi;
}

Win32::DWORD TCustomForm::WindowStyle() const {
    DWORD style = WS_CLIPCHILDREN;
    bool sysMenu = (FBorderIcons & (1u << biSystemMenu)) != 0;
    switch (FBorderStyle) {
    case bsNone: style |= WS_POPUP; break;
    case bsSingle:
    case bsToolWindow: style |= WS_CAPTION | WS_BORDER; break;
    case bsSizeable:
    case bsSizeToolWin: style |= WS_CAPTION | WS_THICKFRAME; break;
    case bsDialog: style |= WS_POPUP | WS_CAPTION; break;
    }
    if (FBorderStyle != bsNone && sysMenu)
        style |= WS_SYSMENU;
    if (FBorderStyle == bsSingle || FBorderStyle == bsSizeable) {
        if (FBorderIcons & (1u << biMinimize))
            style |= WS_MINIMIZEBOX;
        if (FBorderIcons & (1u << biMaximize))
            style |= WS_MAXIMIZEBOX;
    }
    return style;
}

Win32::DWORD TCustomForm::WindowExStyle() const {
    DWORD ex = 0;
    if (FBorderStyle == bsDialog)
        ex |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
    if (FBorderStyle == bsToolWindow || FBorderStyle == bsSizeToolWin)
        ex |= WS_EX_TOOLWINDOW;
    if (FFormStyle == fsMDIChild)
        ex |= WS_EX_MDICHILD;
    if (FFormStyle == fsStayOnTop)
        ex |= WS_EX_TOPMOST;
    return ex;
}

TPoint TCustomForm::OuterSizeFor(int clientWidth, int clientHeight) const {
    RECT r{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&r, WindowStyle(), MenuOnBar() != nullptr ? 1 : 0, WindowExStyle());
    // The frame pushes the edges outward; at the 32-bit limit the size saturates.
    return {Core::Sub(r.right, r.left), Core::Sub(r.bottom, r.top)};
}

int TCustomForm::ClientWidth() const {
    if (HandleAllocated())
        return TScrollingWinControl::ClientWidth();
    if (FPendingClientWidth >= 0)
        return FPendingClientWidth;
    // A window smaller than its frame has an empty client area, not a negative one.
    return std::max(Core::Sub(FWidth, OuterSizeFor(0, 0).X), 0);
}

int TCustomForm::ClientHeight() const {
    if (HandleAllocated())
        return TScrollingWinControl::ClientHeight();
    if (FPendingClientHeight >= 0)
        return FPendingClientHeight;
    return std::max(Core::Sub(FHeight, OuterSizeFor(0, 0).Y), 0);
}

void TCustomForm::SetClientWidth(int value) {
    if (ComponentState().Contains(csLoading)) {
        FPendingClientWidth = std::max(value, 0);
        return;
    }
    SetWidth(OuterSizeFor(value, 0).X);
}

void TCustomForm::SetClientHeight(int value) {
    if (ComponentState().Contains(csLoading)) {
        FPendingClientHeight = std::max(value, 0);
        return;
    }
    SetHeight(OuterSizeFor(0, value).Y);
}

void TCustomForm::Loaded() {
    // The form takes its size first (its constraints may change it), so that the
    // children are aligned and anchored in the client area it really has.
    int cw = FPendingClientWidth, ch = FPendingClientHeight;
    FPendingClientWidth = FPendingClientHeight = -1;
    TPoint outer = OuterSizeFor(std::max(cw, 0), std::max(ch, 0));
    if (cw >= 0 || ch >= 0)
        SetBounds(FLeft, FTop, cw >= 0 ? outer.X : FWidth, ch >= 0 ? outer.Y : FHeight);
    TScrollingWinControl::Loaded();
}

void TCustomForm::SetMenuName(const String& name) {
    if (name == FMenuName)
        return;
    FMenuName = name;
    MenuChanged();
}

void TCustomForm::MenuChanged() {
    if (!HandleAllocated() || FDestroying)
        return;
    HMENU old = Win32::GetMenu(FHandle);
    HMENU bar = MakeMenuBar();
    if (!old && !bar)
        return;
    // Setting the bar computes the frame again; the window keeps its outer size.
    Win32::SetMenu(FHandle, bar);
    if (old)
        Win32::DestroyMenu(old);
}

TMainMenu* TCustomForm::MenuOnBar() const {
    if (FMenuName.empty() || FFormStyle == fsMDIChild || (FBorderStyle == bsDialog && !Designing()))
        return nullptr;
    auto* menu = dynamic_cast<TMainMenu*>(FindComponent(FMenuName));
    if (!menu || !menu->Items())
        return nullptr;
    for (int i = 0; i < menu->Items()->Count(); ++i)
        if (menu->Items()->Items(i)->Visible())
            return menu;
    return nullptr;
}

namespace {
void AppendItems(HMENU menu, const TMenuItem& parent) {
    for (int i = 0; i < parent.Count(); ++i) {
        const TMenuItem& item = *parent.Items(i);
        if (!item.Visible())
            continue;
        UINT flags = item.Enabled() ? MF_STRING : MF_GRAYED;
        UINT_PTR id = static_cast<UINT_PTR>(i + 1);
        if (item.Caption() == "-") {
            flags = MF_SEPARATOR;
        } else if (item.Count() > 0) {
            HMENU sub = CreateMenu();
            AppendItems(sub, item);
            flags |= MF_POPUP;
            id = reinterpret_cast<UINT_PTR>(sub);
        }
        const std::u16string caption = Utf8ToUtf16(item.Caption());
        AppendMenuW(menu, flags, id, caption.c_str());
    }
}
} // namespace

HMENU TCustomForm::MakeMenuBar() const {
    const TMainMenu* menu = MenuOnBar();
    if (!menu)
        return nullptr;
    HMENU bar = CreateMenu();
    AppendItems(bar, *menu->Items());
    return bar;
}

void TCustomForm::CreateParams(TCreateParams& params) {
    TScrollingWinControl::CreateParams(params);
    params.Style = WindowStyle();
    params.ExStyle = WindowExStyle();
    params.WndParent = nullptr;
    params.Menu = MakeMenuBar();
    // Default positions and sizes are the window system's choice.
    if (FPosition == poDefault || FPosition == poDefaultPosOnly)
        params.X = params.Y = CW_USEDEFAULT;
    if (FPosition == poDefault || FPosition == poDefaultSizeOnly)
        params.Width = params.Height = CW_USEDEFAULT;
}

void TCustomForm::CreateHandle() {
    TScrollingWinControl::CreateHandle();
    // Outer bounds now come from the window.
    RECT r{};
    GetWindowRect(FHandle, &r);
    FLeft = r.left;
    FTop = r.top;
    FWidth = Core::Sub(r.right, r.left);
    FHeight = Core::Sub(r.bottom, r.top);
}

void TCustomForm::UpdateBounds(const WINDOWPOS& pos) {
    // A minimized form keeps its normal bounds, as the framework reports them.
    if (FHandle && IsIconic(FHandle))
        return;
    TScrollingWinControl::UpdateBounds(pos);
}

int TCustomForm::CurrentPixelsPerInch() const {
    if (FMonitorPpi > 0)
        return FMonitorPpi;
    return FScaled ? FPixelsPerInch : Screen().PixelsPerInch();
}

void TCustomForm::DpiChanged(int dpi, const RECT& suggested) {
    const bool perMonitor = GetAwarenessFromDpiAwarenessContext(GetThreadDpiAwarenessContext()) ==
                            DPI_AWARENESS_PER_MONITOR_AWARE_;
    if (Designing() || !FScaled || !perMonitor || dpi <= 0)
        return;
    const int old = CurrentPixelsPerInch();
    FMonitorPpi = dpi;
    if (dpi != old)
        ScaleBy(dpi, old, fdFollow);
    if (FHandle != nullptr)
        SetWindowPos(FHandle, nullptr, suggested.left, suggested.top,
                     suggested.right - suggested.left, suggested.bottom - suggested.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
}

void TCustomForm::WndProc(TMessage& message) {
    if (message.Msg == WM_DPICHANGED && message.LParam != 0) {
        DpiChanged(LOWORD(message.WParam), *reinterpret_cast<const RECT*>(message.LParam));
        message.Result = 0;
        return;
    }
    TScrollingWinControl::WndProc(message);
    // Size messages of a hidden window (some come at creation) say nothing about
    // the state the form will be shown in.
    if (message.Msg == WM_SIZE && IsWindowVisible(FHandle)) {
        if (message.WParam == SIZE_MAXIMIZED)
            FWindowState = wsMaximized;
        else if (message.WParam == SIZE_MINIMIZED)
            FWindowState = wsMinimized;
        else if (message.WParam == SIZE_RESTORED)
            FWindowState = wsNormal;
    }
}

TWindowState TCustomForm::WindowState() const {
    if (HandleAllocated() && Showing()) {
        if (IsZoomed(FHandle))
            return wsMaximized;
        if (IsIconic(FHandle))
            return wsMinimized;
        return wsNormal;
    }
    return FWindowState;
}

void TCustomForm::SetWindowState(TWindowState value) {
    FWindowState = value;
    if (HandleAllocated() && Showing()) {
        int command = value == wsMaximized   ? SW_MAXIMIZE
                      : value == wsMinimized ? SW_MINIMIZE
                                             : SW_RESTORE;
        ShowWindow(FHandle, command);
    }
}

TMonitor* TCustomForm::Monitor() { return Screen().MonitorFromWindow(Handle()); }

bool TCustomForm::Showing() const { return HandleAllocated() && IsWindowVisible(FHandle); }

void TCustomForm::ApplyPosition() {
    if (FPositioned)
        return;
    FPositioned = true;
    if (FPosition == poDesigned || FPosition == poDefault || FPosition == poDefaultPosOnly ||
        FPosition == poDefaultSizeOnly)
        return;
    // Centred positions use the work area of the monitor the form is on (the
    // desktop centre takes the primary monitor).
    TMonitor* monitor = FPosition == poDesktopCenter ? Screen().PrimaryMonitor() : Monitor();
    if (!monitor)
        return;
    TRect wa = monitor->WorkareaRect();
    SetBounds(wa.Left + (wa.Width() - FWidth) / 2, wa.Top + (wa.Height() - FHeight) / 2, FWidth,
              FHeight);
}

void TCustomForm::Show() { SetVisible(true); }

void TCustomForm::Hide() { SetVisible(false); }

void TCustomForm::SetVisible(bool value) {
    // Past TWinControl on purpose: a form shows its window itself, below.
    TControl::SetVisible(value); // NOLINT(bugprone-parent-virtual-call)
    if (!value) {
        if (HandleAllocated())
            ShowWindow(FHandle, SW_HIDE);
        return;
    }
    if (ComponentState().Contains(csLoading) || Designing())
        return;
    HandleNeeded();
    ApplyPosition();
    int command = FWindowState == wsMaximized   ? SW_SHOWMAXIMIZED
                  : FWindowState == wsMinimized ? SW_SHOWMINIMIZED
                                                : SW_SHOWNORMAL;
    ShowWindow(FHandle, command);
}

// ---- Frames ---------------------------------------------------------------------------

const TClassInfo& TCustomFrame::StaticClass() {
    namespace P = Published;
    using namespace StdProps;
    static const TClassInfo info{
        "TCustomFrame",
        &TScrollingWinControl::StaticClass(),
        WithEvents(
            {
                P::Align(),
                P::Anchors(),
                P::PlainBool("AutoScroll", true),
                P::AutoSize(false),
                BiDiMode(),
                P::Constraints(),
                P::PlainBool("DockSite", false),
                DragCursor(),
                DragKind(),
                DragMode(),
                P::Enabled(),
                P::Color(),
                Ctl3D(),
                P::Font(),
                P::Padding(),
                ParentBackground(true),
                ParentBiDiMode(),
                P::ParentColor(),
                ParentCtl3D(),
                ParentDoubleBuffered(),
                P::ParentFont(),
                P::ParentShowHint(),
                P::PopupMenu(),
                P::ShowHint(),
                P::TabOrder(),
                P::TabStop(false),
                StdProps::Touch(),
                P::Visible(),
                StyleElements(),
                StyleName(),
            },
            {"OnAlignInsertBefore", "OnAlignPosition", "OnCanResize", "OnClick",
             "OnConstrainedResize", "OnContextPopup",  "OnDblClick",  "OnDockDrop",
             "OnDockOver",          "OnDragDrop",      "OnDragOver",  "OnEndDock",
             "OnEndDrag",           "OnEnter",         "OnExit",      "OnGesture",
             "OnGetSiteInfo",       "OnMouseActivate", "OnMouseDown", "OnMouseEnter",
             "OnMouseLeave",        "OnMouseMove",     "OnMouseUp",   "OnMouseWheel",
             "OnMouseWheelDown",    "OnMouseWheelUp",  "OnResize",    "OnStartDock",
             "OnStartDrag",         "OnUnDock"}),
        {},
        nullptr};
    return info;
}

const TClassInfo& TFrame::StaticClass() {
    static const TClassInfo info{
        "TFrame", &TCustomFrame::StaticClass(), {}, {}, &CreateInstance<TFrame>};
    return info;
}

TCustomFrame::TCustomFrame(TComponent* owner) : TScrollingWinControl(owner) {
    FWidth = 320;
    FHeight = 240;
}

TCustomFrame::~TCustomFrame() { DestroyComponents(); }

TComponent** TCustomFrame::FieldAddress(std::string_view name) {
    if (TComponent** slot = TObject::FieldAddress(name))
        return slot;
    return FFields.Find(name);
}

void TCustomFrame::Notification(TComponent* component, TOperation operation) {
    TScrollingWinControl::Notification(component, operation);
    if (operation == TOperation::opRemove)
        FFields.Forget(component);
}

} // namespace Vcl
