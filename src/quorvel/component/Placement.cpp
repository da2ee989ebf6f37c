#include "quorvel/component/Placement.h"

#include "quorvel/vcl/SysInfo.h"

namespace Quorvel {

using namespace Vcl;
using namespace Win32;

TFrameInsets GetFrameInsets(HWND Handle) {
    TFrameInsets result{};
    RECT win{};
    GetWindowRect(Handle, &win);
    result.Win = TRect::From(win);
    if (!IsDwmEnabled)
        return result;
    RECT vis{};
    if (DwmGetWindowAttribute(Handle, DWMWA_EXTENDED_FRAME_BOUNDS, &vis, sizeof(vis)) != S_OK_ ||
        EqualRect(&win, &vis))
        return result;
    result.Inset = {vis.left - win.left, vis.top - win.top};
    result.Excess = {(win.right - win.left) - (vis.right - vis.left),
                     (win.bottom - win.top) - (vis.bottom - vis.top)};
    return result;
}

APPBARDATA GetTaskbarInfo(int& Width, int& Height, int& Edge, bool ValidTaskbar) {
    APPBARDATA bar{};
    Edge = -1;
    if (Win32MajorVersion() < 4)
        return bar;
    bar.cbSize = sizeof(bar);
    const UINT_PTR state = SHAppBarMessage(ABM_GETSTATE, &bar);
    SHAppBarMessage(ABM_GETTASKBARPOS, &bar);
    RECT& rc = bar.rc;
    if (rc.top < 0)
        rc.top = 0;
    if (rc.left < 0)
        rc.left = 0;
    if (rc.right > Width)
        rc.right = Width;
    if (rc.bottom > Height)
        rc.bottom = Height;
    // A bar wholly beyond the size given (the primary's taskbar measured against a
    // smaller monitor) has no thickness there, not a negative one.
    if (rc.right < rc.left)
        rc.right = rc.left;
    if (rc.bottom < rc.top)
        rc.bottom = rc.top;
    switch (bar.uEdge) {
    case ABE_TOP: Edge = 0; break;
    case ABE_LEFT: Edge = 1; break;
    case ABE_RIGHT: Edge = 2; break;
    case ABE_BOTTOM: Edge = 3; break;
    default: Edge = -1; break;
    }
    if (state & ABS_AUTOHIDE) {
        // A self-hiding taskbar takes no room: collapse it onto its edge.
        switch (Edge) {
        case 0: rc.bottom = rc.top; break;
        case 1: rc.right = rc.left; break;
        case 2: rc.left = rc.right; break;
        case 3: rc.top = rc.bottom; break;
        default: break;
        }
    }
    if (ValidTaskbar) {
        if (Edge == 1 || Edge == 2)
            Width -= rc.right - rc.left;
        if (Edge == 0 || Edge == 3)
            Height -= rc.bottom - rc.top;
    }
    return bar;
}

namespace {
int Half(int v) { return v / 2; } // C++ division truncates toward zero

struct TAnchorPoints {
    int Left, Center, Right, Top, Middle, Bottom;
};
} // namespace

void PlaceForm(TCustomForm* Form, TResizeFormPos Pos, int Width, int Height) {
    HWND window = Form->Handle();
    if (IsZoomed(window))
        return;
    const TRect WA = Form->Monitor()->WorkareaRect();
    const int WAW = WA.Width(), WAH = WA.Height();
    const TFrameInsets frame = GetFrameInsets(window);
    int x = frame.Win.Left, y = frame.Win.Top;
    // Pulled back over the far edges, whatever the anchor.
    if (x + Width > WA.Left + WAW)
        x = WA.Left + WAW - Width;
    if (y + Height > WA.Top + WAH)
        y = WA.Top + WAH - Height;

    // The anchors' coordinates: left/centre/right and top/middle/bottom.
    TAnchorPoints a;
    const bool compensated = IsDwmEnabled && frame.Excess.X > 0 && frame.Excess.Y > 0;
    if (compensated) {
        // Anchor the visible frame, not the window rectangle. The far edges
        // subtract no inset.
        const int VW = Width - frame.Excess.X, VH = Height - frame.Excess.Y;
        const int ix = frame.Inset.X, iy = frame.Inset.Y;
        a = {WA.Left - ix, WA.Left + Half(WAW - VW) - ix, WA.Left + WAW - VW,
             WA.Top - iy,  WA.Top + Half(WAH - VH) - iy,  WA.Top + WAH - VH};
    } else {
        a = {WA.Left, WA.Left + Half(WAW - Width), WA.Left + WAW - Width,
             WA.Top,  WA.Top + Half(WAH - Height), WA.Top + WAH - Height};
    }
    switch (Pos) {
    case rpDefault: break;
    case rpTopLeft: x = a.Left, y = a.Top; break;
    case rpTopCenter: x = a.Center, y = a.Top; break;
    case rpTopRight: x = a.Right, y = a.Top; break;
    case rpMiddleLeft: x = a.Left, y = a.Middle; break;
    case rpMiddleCenter: x = a.Center, y = a.Middle; break;
    case rpMiddleRight: x = a.Right, y = a.Middle; break;
    case rpBottomLeft: x = a.Left, y = a.Bottom; break;
    case rpBottomCenter: x = a.Center, y = a.Bottom; break;
    case rpBottomRight: x = a.Right, y = a.Bottom; break;
    }
    // Only the plain path keeps the form inside the near edges.
    if (!compensated) {
        if (x < WA.Left)
            x = WA.Left;
        if (y < WA.Top)
            y = WA.Top;
    }
    MoveWindow(window, x, y, Width, Height, 1);
}

void TQuorvel::SetFormPos(TResizeFormPos Value) {
    if (Value == FFormPos)
        return;
    FFormPos = Value;
    if (Designing())
        return;
    TCustomForm* form = OwnerForm();
    if (!form)
        return;
    RECT r{};
    GetWindowRect(form->Handle(), &r);
    OffsetRect(&r, -r.left, -r.top);
    PlaceForm(form, FFormPos, r.right, r.bottom);
}

} // namespace Quorvel
