#include "quorvel/core/Scaling.h"

#include "quorvel/core/Rounding.h"

namespace Quorvel::Core {

double AxisFactor(int client, int reference, int designDpi, int runDpi) {
    if (runDpi == 0 || reference == 0)
        return 1.0;
    return (static_cast<double>(client) / static_cast<double>(reference)) *
           (static_cast<double>(designDpi) / static_cast<double>(runDpi));
}

TFactors PassFactors(int clientWidth, int clientHeight, const TReference& reference) {
    TFactors f;
    f.X = AxisFactor(clientWidth, reference.ClientWidth, reference.DesignDpiX, reference.RunDpiX);
    f.Y = AxisFactor(clientHeight, reference.ClientHeight, reference.DesignDpiY, reference.RunDpiY);
    f.Font = f.X > f.Y ? f.Y : f.X;
    return f;
}

int ScaleCoord(int reference, double factor) { return RoundHalfAway(reference * factor); }

namespace {
// Points and pixels scale alike; only what they measure differs.
int ScaleControlFont(int reference, double fontFactor) {
    return RaiseZero(Trunc(reference * fontFactor));
}
} // namespace

int ScaleFontPoints(int referencePoints, double fontFactor) {
    return ScaleControlFont(referencePoints, fontFactor);
}

int ScaleFontPixels(int referencePixels, double fontFactor) {
    return ScaleControlFont(referencePixels, fontFactor);
}

int ScaleFormFont(int referencePoints, double fontFactor) {
    return RoundHalfAway(referencePoints * fontFactor);
}

std::optional<int> ReferenceFromCurrent(int current, double factor) {
    if (factor == 0)
        return std::nullopt;
    return RoundHalfAway(current / factor);
}

TBounds ReferenceBounds(const TBounds& current, const TFactors& factors, const TBounds& fallback) {
    TBounds r = fallback;
    if (factors.X != 0) {
        r.Left = *ReferenceFromCurrent(current.Left, factors.X);
        r.Width = *ReferenceFromCurrent(current.Width, factors.X);
    }
    if (factors.Y != 0) {
        r.Top = *ReferenceFromCurrent(current.Top, factors.Y);
        r.Height = *ReferenceFromCurrent(current.Height, factors.Y);
    }
    return r;
}

} // namespace Quorvel::Core
