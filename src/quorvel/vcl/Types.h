// Points and rectangles of the framework (X/Y, Left/Top/Right/Bottom).
#pragma once

#include "quorvel/win/Win32.h"

namespace Vcl {

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

    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool operator==(const TRect&) const = default;

    static TRect From(const Win32::RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
    Win32::RECT ToWin32() const { return {Left, Top, Right, Bottom}; }
};

} // namespace Vcl
