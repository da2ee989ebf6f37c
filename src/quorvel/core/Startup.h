// The one-time correction at start-up for a screen resolution that differs from
// the one the layout was designed at.
#pragma once

#include "quorvel/core/Geometry.h"

namespace Quorvel::Core {

// Design over run-time resolution; 1.0 where either is unknown (0).
double DpiRatio(int designDpi, int runDpi);

// A value corrected by a ratio: divided by it and rounded half away from zero. The ratio is
// formed first and divided by, never its inverse multiplied with, so the results
// are the same to the last bit whoever computes them.
int StartupAdjust(int value, double ratio);

// The ratios of design to run-time resolution, per axis.
struct TDpiRatios {
    double X = 1.0;
    double Y = 1.0;
};

TDpiRatios DpiRatios(int designDpiX, int designDpiY, int runDpiX, int runDpiY);

// What about the window decides whether control bounds are corrected too.
enum TBorderKind { bkSizeable, bkNone, bkDialog };

// The divisors for control bounds: the resolution ratios, except for a
// borderless or dialog window without a start size, which keeps its bounds; a
// maximized borderless window is corrected all the same. Fonts are always
// corrected, with the horizontal ratio.
TDpiRatios BoundsDivisors(const TDpiRatios& ratios, TBorderKind border, bool maximized,
                          bool hasStartSize);

// Bounds corrected by the divisors, each value on its own axis.
TBounds StartupBounds(const TBounds& bounds, const TDpiRatios& divisors);

} // namespace Quorvel::Core
