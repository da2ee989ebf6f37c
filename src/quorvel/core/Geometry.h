// Points and rectangles of the layout core: plain values, independent of the
// framework's and of Windows' own records (the adapters convert at their edge).
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

    int Width() const { return Sub(Right, Left); }
    int Height() const { return Sub(Bottom, Top); }
    bool operator==(const TRect&) const = default;
};

// A control's bounds as the layout sees them: position and size.
struct TBounds {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    bool operator==(const TBounds&) const = default;
};

} // namespace Quorvel::Core
