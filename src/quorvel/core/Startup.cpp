#include "quorvel/core/Startup.h"

#include "quorvel/core/Rounding.h"

namespace Quorvel::Core {

double DpiRatio(int designDpi, int runDpi) {
    if (designDpi == 0 || runDpi == 0)
        return 1.0;
    return static_cast<double>(designDpi) / static_cast<double>(runDpi);
}

int StartupAdjust(int value, double ratio) { return RoundHalfAway(value / ratio); }

TDpiRatios DpiRatios(int designDpiX, int designDpiY, int runDpiX, int runDpiY) {
    return {DpiRatio(designDpiX, runDpiX), DpiRatio(designDpiY, runDpiY)};
}

TDpiRatios BoundsDivisors(const TDpiRatios& ratios, TBorderKind border, bool maximized,
                          bool hasStartSize) {
    TDpiRatios d = ratios;
    if ((border == bkNone || border == bkDialog) && !hasStartSize)
        d = {1.0, 1.0};
    if (border == bkNone && maximized)
        d = ratios;
    return d;
}

TBounds StartupBounds(const TBounds& bounds, const TDpiRatios& divisors) {
    return {StartupAdjust(bounds.Left, divisors.X), StartupAdjust(bounds.Top, divisors.Y),
            StartupAdjust(bounds.Width, divisors.X), StartupAdjust(bounds.Height, divisors.Y)};
}

} // namespace Quorvel::Core
