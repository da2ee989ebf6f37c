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

TBounds ScaleBounds(const TBounds& reference, const TFactors& factors) {
    return {ScaleCoord(reference.Left, factors.X), ScaleCoord(reference.Top, factors.Y),
            RaiseZero(ScaleCoord(reference.Width, factors.X)),
            RaiseZero(ScaleCoord(reference.Height, factors.Y))};
}

int ScaleControlFontRaw(int referenceSize, double fontFactor) {
    return Trunc(referenceSize * fontFactor);
}

int ScaleControlFont(int referenceSize, double fontFactor) {
    return RaiseZero(ScaleControlFontRaw(referenceSize, fontFactor));
}

int ScaleFormFont(int referenceSize, double fontFactor) {
    return RoundHalfAway(referenceSize * fontFactor);
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
