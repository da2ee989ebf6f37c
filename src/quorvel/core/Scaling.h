// The factors of a resize pass and what they do to bounds and font sizes.
//
// A pass scales from reference geometry (bounds and font sizes at factor 1.0),
// never from what the last pass left, so rounding errors never accumulate.
#pragma once

#include "quorvel/core/Geometry.h"
#include "quorvel/core/Rounding.h"

#include <optional>

namespace Quorvel::Core {

// The three factors of one pass: X for left and width, Y for top and height,
// Font (the smaller of the two) for font sizes.
struct TFactors {
    double X = 1.0;
    double Y = 1.0;
    double Font = 1.0;
    bool operator==(const TFactors&) const = default;
};

// The reference the current client size is compared with: the client size the
// layout was designed at and the screen resolution of design and run time.
struct TReference {
    int ClientWidth = 0;
    int ClientHeight = 0;
    int DesignDpiX = 0;
    int DesignDpiY = 0;
    int RunDpiX = 0;
    int RunDpiY = 0;
};

// One axis: (client / reference) x (design DPI / run DPI). An axis without a
// run-time resolution keeps 1.0; so does one without a reference extent, which
// would otherwise divide by zero.
double AxisFactor(int client, int reference, int designDpi, int runDpi);

// The factors for a client size; Font is the smaller of X and Y.
TFactors PassFactors(int clientWidth, int clientHeight, const TReference& reference);

// A reference coordinate or size at a factor: rounded half away from zero.
int ScaleCoord(int reference, double factor);

// Sizes and control font sizes never end at 0 in a pass: 0 becomes 1.
// Positions are left at 0: a control flush with its parent's edge stays there.
constexpr int RaiseZero(int value) { return value == 0 ? 1 : value; }

// A control's bounds at the factors; the width and height raised from 0 to 1.
// ScaleCoord's rounding, written out and inline: this runs for every window of
// a pass.
// The same for a reference whose values a caller keeps as doubles, converted
// once rather than on every pass (every int converts to a double exactly).
inline TBounds ScaleBounds(double left, double top, double width, double height,
                           const TFactors& factors) {
    return {RoundHalfAway(left * factors.X), RoundHalfAway(top * factors.Y),
            RaiseZero(RoundHalfAway(width * factors.X)),
            RaiseZero(RoundHalfAway(height * factors.Y))};
}
inline TBounds ScaleBounds(const TBounds& reference, const TFactors& factors) {
    return ScaleBounds(reference.Left, reference.Top, reference.Width, reference.Height, factors);
}

// A control's font size at the font factor: truncated (no 0.5 added) and raised
// from 0 to 1. One function a unit, so that a call says which it scales: a
// framework font's Size in points (the component), or the magnitude of a Windows
// font's height in pixels (the plain adapter).
int ScaleFontPoints(int referencePoints, double fontFactor);
int ScaleFontPixels(int referencePixels, double fontFactor);

// The form's own font Size, in points, at the font factor: rounded half away
// from zero, with no lower bound (it may reach 0).
int ScaleFormFont(int referencePoints, double fontFactor);

// The reference value for one a control shows now at the factor that placed it
// (the inverse of ScaleCoord, rounded half away from zero). No reference can be
// derived at factor 0.
std::optional<int> ReferenceFromCurrent(int current, double factor);

// Reference bounds from current bounds at the factors of the latest pass; an
// axis whose factor is 0 keeps the values of Fallback.
TBounds ReferenceBounds(const TBounds& current, const TFactors& factors,
                        const TBounds& fallback = {});

} // namespace Quorvel::Core
