#include "quorvel/core/Placement.h"

#include "quorvel/core/Rounding.h"

#include <algorithm>

namespace Quorvel::Core {

TFrameInsets FrameInsets(const TRect& window, const TRect& visible) {
    TFrameInsets f;
    f.Win = window;
    if (window == visible)
        return f;
    f.Inset = {visible.Left - window.Left, visible.Top - window.Top};
    f.Excess = {window.Width() - visible.Width(), window.Height() - visible.Height()};
    return f;
}

namespace {
// The anchors' coordinates: left, centre, right and top, middle, bottom.
struct TAnchorPoints {
    int Left, Center, Right, Top, Middle, Bottom;
};
} // namespace

TPoint PlacementOrigin(TResizeFormPos pos, const TRect& WA, const TFrameInsets& frame, int width,
                       int height, bool compositionEnabled) {
    const int WAW = WA.Width(), WAH = WA.Height();
    int x = frame.Win.Left, y = frame.Win.Top;
    // Pulled back over the far edges, whatever the anchor.
    if (x + width > WA.Left + WAW)
        x = WA.Left + WAW - width;
    if (y + height > WA.Top + WAH)
        y = WA.Top + WAH - height;

    TAnchorPoints a;
    const bool compensated = compositionEnabled && frame.Excess.X > 0 && frame.Excess.Y > 0;
    if (compensated) {
        // The visible frame is anchored; the far edges subtract no inset.
        const int VW = width - frame.Excess.X, VH = height - frame.Excess.Y;
        const int ix = frame.Inset.X, iy = frame.Inset.Y;
        a = {WA.Left - ix, WA.Left + Half(WAW - VW) - ix, WA.Left + WAW - VW,
             WA.Top - iy,  WA.Top + Half(WAH - VH) - iy,  WA.Top + WAH - VH};
    } else {
        a = {WA.Left, WA.Left + Half(WAW - width), WA.Left + WAW - width,
             WA.Top,  WA.Top + Half(WAH - height), WA.Top + WAH - height};
    }
    switch (pos) {
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
    if (!compensated) {
        if (x < WA.Left)
            x = WA.Left;
        if (y < WA.Top)
            y = WA.Top;
    }
    return {x, y};
}

TPoint FirstShowSize(int startWidth, int startHeight, int currentWidth, int currentHeight,
                     int monitorWidth, int monitorHeight) {
    int w = currentWidth, h = currentHeight;
    if (startWidth > 0 && startHeight > 0) {
        w = startWidth;
        h = startHeight;
    }
    return {std::min(w, monitorWidth), std::min(h, monitorHeight)};
}

} // namespace Quorvel::Core
