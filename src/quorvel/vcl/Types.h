// Points and rectangles of the framework (X/Y, Left/Top/Right/Bottom).
#pragma once

#include "quorvel/win/Win32.h"

#include <climits>

namespace Vcl {

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

struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    int Width() const { return SaturatedSum(Right, -static_cast<long long>(Left)); }
    int Height() const { return SaturatedSum(Bottom, -static_cast<long long>(Top)); }
    bool operator==(const TRect&) const = default;

    static TRect From(const Win32::RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
    Win32::RECT ToWin32() const { return {Left, Top, Right, Bottom}; }
};

} // namespace Vcl
