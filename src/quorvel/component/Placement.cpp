#include "quorvel/component/Placement.h"

#include "quorvel/vcl/SysInfo.h"

namespace Quorvel {

using namespace Vcl;
using namespace Win32;

TPoint ScreenDpi() {
    HDC dc = GetDC(nullptr);
    const TPoint dpi{GetDeviceCaps(dc, LOGPIXELSX), GetDeviceCaps(dc, LOGPIXELSY)};
    ReleaseDC(nullptr, dc);
    return dpi;
}

TFrameInsets GetFrameInsets(HWND Handle) {
    RECT win{};
    GetWindowRect(Handle, &win);
    RECT vis = win;
    if (IsDwmEnabled &&
        DwmGetWindowAttribute(Handle, DWMWA_EXTENDED_FRAME_BOUNDS, &vis, sizeof(vis)) != S_OK_)
        vis = win;
    return Core::FrameInsets(Core::RectOf(win), Core::RectOf(vis));
}

namespace {
Core::TTaskbarEdge EdgeOf(UINT platformEdge) {
    switch (platformEdge) {
    case ABE_TOP: return Core::teTop;
    case ABE_LEFT: return Core::teLeft;
    case ABE_RIGHT: return Core::teRight;
    case ABE_BOTTOM: return Core::teBottom;
    default: return Core::teNone;
    }
}
} // namespace

APPBARDATA GetTaskbarInfo(int& Width, int& Height, Core::TTaskbarEdge& Edge, bool ValidTaskbar) {
    APPBARDATA bar{};
    Edge = Core::teNone;
    if (Win32MajorVersion() < 4)
        return bar;
    bar.cbSize = sizeof(bar);
    const UINT_PTR state = SHAppBarMessage(ABM_GETSTATE, &bar);
    SHAppBarMessage(ABM_GETTASKBARPOS, &bar);
    const Core::TTaskbarArea area =
        Core::TaskbarArea(Core::RectOf(bar.rc), EdgeOf(bar.uEdge), (state & ABS_AUTOHIDE) != 0,
                          Width, Height, ValidTaskbar);
    bar.rc = {area.Bar.Left, area.Bar.Top, area.Bar.Right, area.Bar.Bottom};
    Width = area.Width;
    Height = area.Height;
    Edge = area.Edge;
    return bar;
}

Core::TTaskbarArea TaskbarArea(int Width, int Height, bool ValidTaskbar) {
    Core::TTaskbarArea area;
    const APPBARDATA bar = GetTaskbarInfo(Width, Height, area.Edge, ValidTaskbar);
    area.Width = Width;
    area.Height = Height;
    area.Bar = Core::RectOf(bar.rc);
    return area;
}

void PlaceForm(TCustomForm* Form, TResizeFormPos Pos, int Width, int Height) {
    HWND window = Form->Handle();
    if (IsZoomed(window))
        return;
    const Core::TPoint at =
        Core::PlacementOrigin(Pos, Form->Monitor()->WorkareaRect(), GetFrameInsets(window), Width,
                              Height, IsDwmEnabled != 0);
    MoveWindow(window, at.X, at.Y, Width, Height, 1);
}

} // namespace Quorvel
