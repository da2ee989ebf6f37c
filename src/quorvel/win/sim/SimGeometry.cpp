// Window rectangles, moves, showing, minimizing and maximizing on the simulated
// desktop.
#include "quorvel/win/sim/SimDesktopImpl.h"

#include <algorithm>

namespace Sim {

namespace {

constexpr int kMinimizedX = -32000;
constexpr int kMinimizedY = -32000;
constexpr int kMinimizedWidth = 160;
constexpr int kMinimizedHeight = 28;

bool SameOrigin(const RECT& a, const RECT& b) { return a.left == b.left && a.top == b.top; }

bool SameSize(const RECT& a, const RECT& b) {
    return Width(a) == Width(b) && Height(a) == Height(b);
}

LONG ClampTrack(LONG value, LONG minSize, LONG maxSize) {
    // The minimum wins over a maximum below it, as on Windows.
    return std::max(std::min(value, maxSize), minSize);
}

} // namespace

RECT TDesktop::TImpl::ClientInParent(const TWindow& window) const {
    const RECT& r = window.Rect;
    if (window.Style & WS_MINIMIZE)
        return RECT{r.left, r.top, r.left, r.top};
    const int border = BorderOf(Config.Frame, window.Style, window.ExStyle) +
                       ClientEdgeOf(Config.Frame, window.ExStyle);
    const int caption =
        CaptionOf(Config.Frame, window.Style, window.ExStyle) + MenuBarHeight(window);
    RECT client{Saturate(static_cast<long long>(r.left) + border),
                Saturate(static_cast<long long>(r.top) + border + caption),
                Saturate(static_cast<long long>(r.right) - border),
                Saturate(static_cast<long long>(r.bottom) - border)};
    client.right = std::max(client.right, client.left);
    client.bottom = std::max(client.bottom, client.top);
    return client;
}

POINT TDesktop::TImpl::ComputeClientOrigin(const TWindow& window) const {
    const RECT client = ClientInParent(window);
    POINT origin{client.left, client.top};
    if (window.Parent != nullptr) {
        const POINT outer = ScreenClientOrigin(*window.Parent);
        origin.x = Saturate(static_cast<long long>(origin.x) + outer.x);
        origin.y = Saturate(static_cast<long long>(origin.y) + outer.y);
    }
    window.Origin = origin;
    window.OriginAt = Geometry;
    return origin;
}

RECT TDesktop::TImpl::FarScreenRect(const TWindow& window, POINT origin) {
    return MakeRect(static_cast<long long>(window.Rect.left) + origin.x,
                    static_cast<long long>(window.Rect.top) + origin.y, Width(window.Rect),
                    Height(window.Rect));
}

TShowState TDesktop::TImpl::State(const TWindow& window) const {
    if (window.Style & WS_MINIMIZE)
        return TShowState::Minimized;
    if (window.Style & WS_MAXIMIZE)
        return TShowState::Maximized;
    return TShowState::Restored;
}

// A child window maximizes over its parent's client area, a top-level one over
// the work area of its monitor.
MINMAXINFO TDesktop::TImpl::DefaultMinMax(const TWindow& window) const {
    const int border = FrameBorder(window.Style, window.ExStyle);
    const RECT screen = VirtualScreen();
    MINMAXINFO mmi{};
    const TFrameMetrics& metrics = Config.Frame;
    mmi.ptMinTrackSize = metrics.MinTrackSize;
    mmi.ptMaxTrackSize = POINT{Width(screen) + 2 * border + metrics.MaxTrackExtra,
                               Height(screen) + 2 * border + metrics.MaxTrackExtra};
    if (window.Parent != nullptr) {
        const RECT client = ClientInParent(*window.Parent);
        mmi.ptMaxSize = POINT{Width(client) + 2 * border, Height(client) + 2 * border};
        mmi.ptMaxPosition = POINT{-border, -border};
    } else {
        const int monitor = MonitorOf(window);
        const RECT bounds = Config.Monitors[static_cast<std::size_t>(monitor)].Bounds;
        const RECT work = WorkArea(monitor);
        mmi.ptMaxSize = POINT{Width(work) + 2 * border, Height(work) + 2 * border};
        mmi.ptMaxPosition = POINT{work.left - bounds.left - border, work.top - bounds.top - border};
    }
    return mmi;
}

void TDesktop::TImpl::ClampForDefault(TWindow& window, WINDOWPOS& pos) {
    const DWORD style = window.Style;
    if ((pos.flags & SWP_NOSIZE) || (style & (WS_CHILD | WS_MINIMIZE)) ||
        ((style & WS_THICKFRAME) == 0 && (style & WS_CAPTION) != WS_CAPTION))
        return;
    MINMAXINFO mmi = DefaultMinMax(window);
    Send(window.Handle, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
    pos.cx = ClampTrack(pos.cx, mmi.ptMinTrackSize.x, mmi.ptMaxTrackSize.x);
    pos.cy = ClampTrack(pos.cy, mmi.ptMinTrackSize.y, mmi.ptMaxTrackSize.y);
}

BOOL TDesktop::TImpl::SetPos(HWND window, HWND insertAfter, int x, int y, int cx, int cy,
                             UINT flags) {
    TWindow* w = Find(window);
    if (w == nullptr)
        return kFalse;
    const RECT old = w->Rect;
    if (flags & SWP_NOMOVE) {
        x = old.left;
        y = old.top;
    }
    if (flags & SWP_NOSIZE) {
        cx = Width(old);
        cy = Height(old);
    }
    cx = std::max(cx, 0);
    cy = std::max(cy, 0);
    flags &= ~(SWP_NOCLIENTMOVE | SWP_NOCLIENTSIZE);
    if (x == old.left && y == old.top)
        flags |= SWP_NOMOVE;
    if (cx == Width(old) && cy == Height(old))
        flags |= SWP_NOSIZE;
    const bool visible = (w->Style & WS_VISIBLE) != 0;
    const bool showHide =
        ((flags & SWP_SHOWWINDOW) && !visible) || ((flags & SWP_HIDEWINDOW) && visible);
    if ((flags & SWP_NOMOVE) && (flags & SWP_NOSIZE) && !showHide && !(flags & SWP_FRAMECHANGED) &&
        State(*w) == w->LastState)
        return kTrue;

    WINDOWPOS pos{window, insertAfter, x, y, cx, cy, flags};
    Send(window, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
    if ((w = Find(window)) == nullptr)
        return kFalse;

    // The rectangle may have changed in nested calls meanwhile: the procedures'
    // answer is applied to the current one.
    const RECT before = w->Rect;
    const long long nx = (pos.flags & SWP_NOMOVE) ? before.left : pos.x;
    const long long ny = (pos.flags & SWP_NOMOVE) ? before.top : pos.y;
    const long long ncx = (pos.flags & SWP_NOSIZE) ? Width(before) : std::max(pos.cx, 0);
    const long long ncy = (pos.flags & SWP_NOSIZE) ? Height(before) : std::max(pos.cy, 0);
    w->Rect = MakeRect(nx, ny, ncx, ncy);
    ++Geometry;
    if (pos.flags & SWP_SHOWWINDOW)
        w->Style |= WS_VISIBLE;
    if (pos.flags & SWP_HIDEWINDOW)
        w->Style &= ~WS_VISIBLE;

    UINT changed = pos.flags & ~(SWP_NOMOVE | SWP_NOSIZE | SWP_NOCLIENTMOVE | SWP_NOCLIENTSIZE);
    if (SameOrigin(w->Rect, before))
        changed |= SWP_NOMOVE;
    if (SameSize(w->Rect, before))
        changed |= SWP_NOSIZE;
    const RECT client = ClientInParent(*w);
    const TShowState state = State(*w);
    if (SameOrigin(client, w->LastClient))
        changed |= SWP_NOCLIENTMOVE;
    if (SameSize(client, w->LastClient) && state == w->LastState)
        changed |= SWP_NOCLIENTSIZE;
    w->LastClient = client;
    w->LastState = state;

    WINDOWPOS done{window,         pos.hwndInsertAfter, w->Rect.left, w->Rect.top,
                   Width(w->Rect), Height(w->Rect),     changed};
    Send(window, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&done));
    FollowMonitorDpi(window);
    return kTrue;
}

void TDesktop::TImpl::FollowMonitorDpi(HWND window) {
    TWindow* w = Find(window);
    if (w == nullptr || w->Parent != nullptr || w->DpiChanging ||
        Given.DpiAwareness != TDpiAwareness::PerMonitorV2 || (w->Style & WS_MINIMIZE))
        return;
    const int from = w->Dpi;
    const int to = MonitorDpi(MonitorOf(*w));
    if (from <= 0 || to == from)
        return;
    // The frame is the same at every DPI here: the client area scales linearly,
    // and the window keeps its top-left corner.
    // The menu bar's row is the new DPI's.
    const RECT client = ClientInParent(*w);
    const LONG frameW = Width(w->Rect) - Width(client),
               frameH = Height(w->Rect) - Height(client) -
                        (MenuBarHeight(*w) > 0 ? MenuRow(from) - MenuRow(to) : 0);
    SIZE size{frameW + MulDiv(Width(client), to, from), frameH + MulDiv(Height(client), to, from)};
    w->DpiChanging = true;
    const WPARAM dpis = static_cast<WPARAM>(to) | (static_cast<WPARAM>(to) << 16);
    SIZE asked = size;
    if (Send(window, WM_GETDPISCALEDSIZE, dpis, reinterpret_cast<LPARAM>(&asked)) != 0)
        size = asked;
    if ((w = Find(window)) == nullptr)
        return;
    // Told before the message: GetDpiForWindow answers the new DPI in its handler.
    w->Dpi = to;
    RECT suggested = MakeRect(w->Rect.left, w->Rect.top, size.cx, size.cy);
    Send(window, WM_DPICHANGED, dpis, reinterpret_cast<LPARAM>(&suggested));
    if ((w = Find(window)) != nullptr)
        w->DpiChanging = false;
}

BOOL TDesktop::TImpl::Show(HWND window, int command) {
    TWindow* w = Find(window);
    if (w == nullptr)
        return kFalse;
    const BOOL wasVisible = (w->Style & WS_VISIBLE) ? kTrue : kFalse;
    const bool minOrMax = State(*w) != TShowState::Restored;
    constexpr UINT kKeep = SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
    auto plainShow = [&]() {
        if (wasVisible)
            return;
        Send(window, WM_SHOWWINDOW, kTrue, 0);
        SetPos(window, nullptr, 0, 0, 0, 0, kKeep | SWP_SHOWWINDOW);
    };
    switch (command) {
    case SW_HIDE:
        if (wasVisible) {
            Send(window, WM_SHOWWINDOW, kFalse, 0);
            SetPos(window, nullptr, 0, 0, 0, 0, kKeep | SWP_HIDEWINDOW);
        }
        break;
    case SW_SHOW:
    case SW_SHOWNA: plainShow(); break;
    case SW_SHOWNORMAL:
    case SW_SHOWNOACTIVATE:
    case 10: // SW_SHOWDEFAULT
        if (minOrMax)
            ChangeState(window, TShowState::Restored, true, false);
        else
            plainShow();
        break;
    case SW_RESTORE:
        if (minOrMax)
            ChangeState(window, TShowState::Restored, true, true);
        else
            plainShow();
        break;
    case SW_SHOWMAXIMIZED: ChangeState(window, TShowState::Maximized, true, false); break;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
    case 11: // SW_FORCEMINIMIZE
        ChangeState(window, TShowState::Minimized, true, false);
        break;
    default: return kFalse;
    }
    // The first showing of an overlapped window tells it its size, if nothing did.
    if (TWindow* shown = Find(window); shown && shown->NeedSize && (shown->Style & WS_VISIBLE))
        SendSizeAndMove(window);
    return wasVisible;
}

void TDesktop::TImpl::SendSizeAndMove(HWND window) {
    TWindow* w = Find(window);
    if (w == nullptr)
        return;
    w->NeedSize = false;
    w->LastClient = ClientInParent(*w);
    w->LastState = State(*w);
    SendSize(window);
    if ((w = Find(window)) == nullptr)
        return;
    w->LastClient = ClientInParent(*w);
    SendMove(window);
}

void TDesktop::TImpl::SendSize(HWND window) {
    TWindow* w = Find(window);
    if (w == nullptr)
        return;
    const RECT client = ClientInParent(*w);
    const TShowState state = State(*w);
    const WPARAM type = state == TShowState::Maximized   ? SIZE_MAXIMIZED
                        : state == TShowState::Minimized ? SIZE_MINIMIZED
                                                         : SIZE_RESTORED;
    Send(window, WM_SIZE, type,
         MAKELPARAM(static_cast<WORD>(Width(client)), static_cast<WORD>(Height(client))));
}

void TDesktop::TImpl::SendMove(HWND window) {
    TWindow* w = Find(window);
    if (w == nullptr)
        return;
    const RECT client = ClientInParent(*w);
    Send(window, WM_MOVE, 0,
         MAKELPARAM(static_cast<WORD>(client.left), static_cast<WORD>(client.top)));
}

// Order of a state change: WM_GETMINMAXINFO when maximizing, the new state, then
// WM_SHOWWINDOW for a hidden window that is to be shown, then the move.
void TDesktop::TImpl::ChangeState(HWND window, TShowState target, bool show,
                                  bool restoreToMaximized) {
    TWindow* w = Find(window);
    if (w == nullptr)
        return;
    const TShowState current = State(*w);
    if (target == TShowState::Restored && current == TShowState::Minimized && restoreToMaximized &&
        w->RestoreMaximized)
        target = TShowState::Maximized;
    if (target == current) {
        if (show && !(w->Style & WS_VISIBLE)) {
            Send(window, WM_SHOWWINDOW, kTrue, 0);
            SetPos(window, nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        }
        return;
    }
    if (current == TShowState::Restored)
        w->NormalRect = w->Rect;

    RECT targetRect{};
    switch (target) {
    case TShowState::Maximized: {
        POINT origin{0, 0};
        if (w->Parent == nullptr) {
            const RECT bounds = Config.Monitors[static_cast<std::size_t>(MonitorOf(*w))].Bounds;
            origin = POINT{bounds.left, bounds.top};
        }
        MINMAXINFO mmi = DefaultMinMax(*w);
        Send(window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
        if ((w = Find(window)) == nullptr)
            return;
        targetRect = MakeRect(static_cast<long long>(origin.x) + mmi.ptMaxPosition.x,
                              static_cast<long long>(origin.y) + mmi.ptMaxPosition.y,
                              std::min(mmi.ptMaxSize.x, mmi.ptMaxTrackSize.x),
                              std::min(mmi.ptMaxSize.y, mmi.ptMaxTrackSize.y));
        w->RestoreMaximized = false;
        w->Style = (w->Style & ~WS_MINIMIZE) | WS_MAXIMIZE;
        ++Geometry;
        break;
    }
    case TShowState::Minimized:
        targetRect = MakeRect(kMinimizedX, kMinimizedY, kMinimizedWidth,
                              kMinimizedHeight + FrameBorder(w->Style, w->ExStyle));
        w->RestoreMaximized = current == TShowState::Maximized;
        w->Style = (w->Style & ~WS_MAXIMIZE) | WS_MINIMIZE;
        ++Geometry;
        break;
    case TShowState::Restored:
        targetRect = w->NormalRect;
        w->RestoreMaximized = false;
        w->Style &= ~(WS_MAXIMIZE | WS_MINIMIZE);
        ++Geometry;
        break;
    }

    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    if (show && !(w->Style & WS_VISIBLE)) {
        // Windows sends no WM_SHOWWINDOW when a hidden window is shown maximized.
        if (target != TShowState::Maximized)
            Send(window, WM_SHOWWINDOW, kTrue, 0);
        if ((w = Find(window)) == nullptr)
            return;
        flags |= SWP_SHOWWINDOW;
    }
    SetPos(window, nullptr, targetRect.left, targetRect.top, Width(targetRect), Height(targetRect),
           flags);
}

} // namespace Sim

// ---- Win32 functions ----------------------------------------------------------------------

namespace Win32 {

using Sim::Desk;
using Sim::kFalse;
using Sim::kTrue;

BOOL GetWindowRect(HWND window, RECT* rect) {
    auto& d = Desk(__func__);
    const Sim::TWindow* w = d.Find(window);
    if (w == nullptr || rect == nullptr)
        return kFalse;
    *rect = d.ScreenRect(*w);
    return kTrue;
}

BOOL GetClientRect(HWND window, RECT* rect) {
    auto& d = Desk(__func__);
    const Sim::TWindow* w = d.Find(window);
    if (w == nullptr || rect == nullptr)
        return kFalse;
    const RECT client = d.ClientInParent(*w);
    *rect = RECT{0, 0, Sim::Width(client), Sim::Height(client)};
    return kTrue;
}

BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint) {
    return Desk(__func__).SetPos(window, nullptr, x, y, width, height,
                                 SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL SetWindowPos(HWND window, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
    return Desk(__func__).SetPos(window, insertAfter, x, y, cx, cy, flags);
}

BOOL ShowWindow(HWND window, int command) { return Desk(__func__).Show(window, command); }

// Visible means shown with every ancestor shown too.
BOOL IsWindowVisible(HWND window) {
    const Sim::TWindow* w = Desk(__func__).Find(window);
    if (w == nullptr)
        return kFalse;
    for (; w != nullptr; w = w->Parent)
        if (!(w->Style & WS_VISIBLE))
            return kFalse;
    return kTrue;
}

BOOL IsIconic(HWND window) {
    const Sim::TWindow* w = Desk(__func__).Find(window);
    return w != nullptr && (w->Style & WS_MINIMIZE) != 0;
}

BOOL IsZoomed(HWND window) {
    const Sim::TWindow* w = Desk(__func__).Find(window);
    return w != nullptr && (w->Style & WS_MAXIMIZE) != 0;
}

BOOL LockWindowUpdate(HWND window) {
    auto& d = Desk(__func__);
    if (window == nullptr) {
        d.Locked = nullptr;
        return kTrue;
    }
    if (d.Find(window) == nullptr || d.Locked != nullptr)
        return kFalse;
    d.Locked = window;
    return kTrue;
}

BOOL AdjustWindowRectEx(RECT* rect, DWORD style, BOOL menu, DWORD exStyle) {
    return AdjustWindowRectExForDpi(rect, style, menu, exStyle,
                                    static_cast<UINT>(Desk(__func__).SystemDpi()));
}

BOOL AdjustWindowRectExForDpi(RECT* rect, DWORD style, BOOL menu, DWORD exStyle, UINT dpi) {
    auto& d = Desk(__func__);
    if (rect == nullptr || dpi == 0)
        return kFalse;
    const long long border = Sim::FrameBorder(style, exStyle) + Sim::ClientEdge(exStyle);
    // As on Windows, the menu argument counts for child windows too.
    const long long caption =
        Sim::CaptionHeight(style, exStyle) + (menu ? d.MenuRow(static_cast<int>(dpi)) : 0);
    *rect = RECT{Sim::Saturate(rect->left - border), Sim::Saturate(rect->top - border - caption),
                 Sim::Saturate(rect->right + border), Sim::Saturate(rect->bottom + border)};
    return kTrue;
}

BOOL OffsetRect(RECT* rect, int dx, int dy) {
    Desk(__func__);
    if (rect == nullptr)
        return kFalse;
    *rect = RECT{Sim::Saturate(static_cast<long long>(rect->left) + dx),
                 Sim::Saturate(static_cast<long long>(rect->top) + dy),
                 Sim::Saturate(static_cast<long long>(rect->right) + dx),
                 Sim::Saturate(static_cast<long long>(rect->bottom) + dy)};
    return kTrue;
}

BOOL EqualRect(const RECT* a, const RECT* b) {
    Desk(__func__);
    if (a == nullptr || b == nullptr)
        return kFalse;
    return a->left == b->left && a->top == b->top && a->right == b->right && a->bottom == b->bottom;
}

} // namespace Win32
