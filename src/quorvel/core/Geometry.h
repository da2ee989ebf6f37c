// Points and rectangles: the one definition the core, the form framework and
// both adapters share. Plain values, independent of Windows' own records; RectOf
// and WinRectOf convert at an adapter's edge.
#pragma once

#include "quorvel/core/Saturate.h"

namespace Quorvel::Core {

struct TPoint {
    int X = 0;
    int Y = 0;
    bool operator==(const TPoint&) const = default;
};

// Right and Bottom are exclusive, as window rectangles are. The extents
// saturate: a rectangle from INT_MIN to INT_MAX is INT_MAX wide.
struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    constexpr int Width() const { return Sub(Right, Left); }
    constexpr int Height() const { return Sub(Bottom, Top); }
    bool operator==(const TRect&) const = default;
};

// Windows' RECT (the seam's or the real one) as a rectangle, and back. Templates,
// so that the core needs no Windows header: any record with the four fields does.
template <class TWinRect> constexpr TRect RectOf(const TWinRect& r) {
    return {r.left, r.top, r.right, r.bottom};
}
template <class TWinRect> constexpr TWinRect WinRectOf(const TRect& r) {
    return {r.Left, r.Top, r.Right, r.Bottom};
}

// A control's bounds as the layout sees them: position and size.
struct TBounds {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    bool operator==(const TBounds&) const = default;
};

} // namespace Quorvel::Core
