// The factors of a resize pass and what they do to bounds and font sizes.
//
// A pass scales from reference geometry (bounds and font sizes at factor 1.0),
// never from what the last pass left, so rounding errors never accumulate.
#pragma once

#include "quorvel/core/Geometry.h"
#include "quorvel/core/Rounding.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <type_traits>

#if defined(__SSE2__) && defined(__x86_64__)
#include <emmintrin.h>
#endif

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
// a pass. The reference comes as doubles (left, top, width, height), which a
// caller may keep instead of converting them on every pass (every int converts
// to a double exactly).
//
// ScaleBoundsOneByOne takes one value at a time; ScaleBounds two a step where
// the processor can, giving the same.
inline TBounds ScaleBoundsOneByOne(const double (&reference)[4], const TFactors& factors) {
    return {RoundHalfAway(reference[0] * factors.X), RoundHalfAway(reference[1] * factors.Y),
            RaiseZero(RoundHalfAway(reference[2] * factors.X)),
            RaiseZero(RoundHalfAway(reference[3] * factors.Y))};
}
inline TBounds ScaleBounds(const double (&reference)[4], const TFactors& factors) {
#if defined(__SSE2__) && defined(__x86_64__)
    static_assert(offsetof(TFactors, Y) == offsetof(TFactors, X) + sizeof(double));
    // Two values a step, each moved half away from zero by adding 0.5 with its
    // own sign (exactly what the value-by-value rounding adds or subtracts).
    // Any lane that converts to INT32_MIN (beyond the range, NaN, or that value
    // itself) goes the value-by-value way, as Trunc does.
    const __m128d f = _mm_loadu_pd(&factors.X);
    const __m128d sign = _mm_set1_pd(-0.0), half = _mm_set1_pd(0.5);
    const __m128d at = _mm_mul_pd(_mm_loadu_pd(&reference[0]), f);
    const __m128d size = _mm_mul_pd(_mm_loadu_pd(&reference[2]), f);
    __m128i all = _mm_unpacklo_epi64(
        _mm_cvttpd_epi32(_mm_add_pd(at, _mm_or_pd(_mm_and_pd(at, sign), half))),
        _mm_cvttpd_epi32(_mm_add_pd(size, _mm_or_pd(_mm_and_pd(size, sign), half))));
    if (_mm_movemask_epi8(_mm_cmpeq_epi32(all, _mm_set1_epi32(INT32_MIN))) == 0) {
        // A zero width or height (the upper two lanes) gains 1: its mask is -1.
        const __m128i zeroSize =
            _mm_and_si128(_mm_cmpeq_epi32(all, _mm_setzero_si128()), _mm_set_epi32(-1, -1, 0, 0));
        all = _mm_sub_epi32(all, zeroSize);
    } else {
        all = LanesOf(ScaleBoundsOneByOne(reference, factors));
    }
    return BoundsOf(all);
#else
    return ScaleBoundsOneByOne(reference, factors);
#endif
}
inline TBounds ScaleBounds(const TBounds& reference, const TFactors& factors) {
    const double values[4] = {
        static_cast<double>(reference.Left), static_cast<double>(reference.Top),
        static_cast<double>(reference.Width), static_cast<double>(reference.Height)};
    return ScaleBounds(values, factors);
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
