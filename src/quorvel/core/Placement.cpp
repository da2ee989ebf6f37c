#include "quorvel/core/Placement.h"

#include "quorvel/core/Saturate.h"

#include <algorithm>
#include <cstdint>

namespace Quorvel::Core {

TFrameInsets FrameInsets(const TRect& window, const TRect& visible) {
    TFrameInsets f;
    f.Win = window;
    if (window == visible)
        return f;
    f.Inset = {Sub(visible.Left, window.Left), Sub(visible.Top, window.Top)};
    f.Excess = {Sub(window.Width(), visible.Width()), Sub(window.Height(), visible.Height())};
    return f;
}

namespace {
// The anchors' coordinates: left, centre, right and top, middle, bottom; in 64
// bits, as every sum of the placement is, so none of them overflows.
struct TAnchorPoints {
    std::int64_t Left, Center, Right, Top, Middle, Bottom;
};

// Signed halving toward zero, as Half does.
constexpr std::int64_t Half64(std::int64_t value) { return value / 2; }
} // namespace

TPoint PlacementOrigin(TResizeFormPos pos, const TRect& WA, const TFrameInsets& frame, int width,
                       int height, bool compositionEnabled) {
    using I = std::int64_t;
    const I left = WA.Left, top = WA.Top;
    const I WAW = I{WA.Right} - left, WAH = I{WA.Bottom} - top;
    I x = frame.Win.Left, y = frame.Win.Top;
    // Pulled back over the far edges, whatever the anchor.
    if (x + width > left + WAW)
        x = left + WAW - width;
    if (y + height > top + WAH)
        y = top + WAH - height;

    TAnchorPoints a;
    const bool compensated = compositionEnabled && frame.Excess.X > 0 && frame.Excess.Y > 0;
    if (compensated) {
        // The visible frame is anchored; the far edges subtract no inset.
        const I VW = I{width} - frame.Excess.X, VH = I{height} - frame.Excess.Y;
        const I ix = frame.Inset.X, iy = frame.Inset.Y;
        a = {left - ix, left + Half64(WAW - VW) - ix, left + WAW - VW,
             top - iy,  top + Half64(WAH - VH) - iy,  top + WAH - VH};
    } else {
        a = {left, left + Half64(WAW - width), left + WAW - width,
             top,  top + Half64(WAH - height), top + WAH - height};
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
        if (x < left)
            x = left;
        if (y < top)
            y = top;
    }
    return {Narrow(x), Narrow(y)};
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
