// Points and rectangles: the one definition the core, the form framework and
// both adapters share. Plain values, independent of Windows' own records; RectOf
// and WinRectOf convert at an adapter's edge.
#pragma once

#include <climits>

namespace Quorvel::Core {

// A sum or difference of two coordinates, saturated at the 32-bit range as window
// rectangles are: a form file may hold any integer, and an edge beyond the range
// stops at its limit instead of wrapping around.
constexpr int SaturatedSum(int a, long long b) {
    const long long sum = static_cast<long long>(a) + b;
    if (sum > INT_MAX)
        return INT_MAX;
    if (sum < INT_MIN)
        return INT_MIN;
    return static_cast<int>(sum);
}

struct TPoint {
    int X = 0;
    int Y = 0;
    bool operator==(const TPoint&) const = default;
};

// Right and Bottom are exclusive, as window rectangles are. Width and Height
// saturate: the edges of a rectangle read from a form file may lie further apart
// than an int holds.
struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    constexpr int Width() const { return SaturatedSum(Right, -static_cast<long long>(Left)); }
    constexpr int Height() const { return SaturatedSum(Bottom, -static_cast<long long>(Top)); }
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
