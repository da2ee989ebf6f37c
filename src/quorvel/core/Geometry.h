// Points and rectangles: the one definition the core, the form framework and
// both adapters share. Plain values, independent of Windows' own records; RectOf,
// WinRectOf and BoundsIn convert at an adapter's edge.
#pragma once

#include "quorvel/core/Saturate.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <type_traits>

#if defined(__SSE2__) && defined(__x86_64__)
#include <emmintrin.h>
#endif

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

    constexpr int Width() const { return Sub(Right, Left); }
    constexpr int Height() const { return Sub(Bottom, Top); }
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

#if defined(__SSE2__) && defined(__x86_64__)
// Bounds as four 32-bit lanes (left, top, width, height), and back. A function
// that may take either of two ways to its bounds joins them as lanes and stores
// once: the bounds then stay a register, not four fields.
inline __m128i LanesOf(const TBounds& bounds) {
    static_assert(sizeof(TBounds) == 4 * sizeof(std::int32_t) &&
                  std::is_trivially_copyable_v<TBounds>);
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(&bounds));
}
inline TBounds BoundsOf(__m128i lanes) {
    TBounds out;
    _mm_storeu_si128(reinterpret_cast<__m128i*>(&out), lanes);
    return out;
}
#endif

// A window rectangle's bounds relative to an origin (its parent's client origin,
// in the same coordinates): Windows' RECT and POINT, or any records with their
// fields. Every value saturates. Out of line: the adapters' windows are nowhere
// near the limits, and the inline way below keeps its values whole.
template <class TWinRect, class TWinPoint>
[[gnu::noinline]] constexpr TBounds BoundsInSaturated(const TWinRect& r, TWinPoint origin) {
    return {Sub(r.left, origin.x), Sub(r.top, origin.y), Sub(r.right, r.left),
            Sub(r.bottom, r.top)};
}
// The same, inline and four values a step: an adapter reads every window's
// rectangle on every pass.
template <class TWinRect, class TWinPoint>
inline TBounds BoundsIn(const TWinRect& r, TWinPoint origin) {
#if defined(__SSE2__) && defined(__x86_64__)
    static_assert(sizeof(TWinRect) == 4 * sizeof(std::int32_t) && offsetof(TWinRect, left) == 0 &&
                  offsetof(TWinRect, top) == 4 && offsetof(TWinRect, right) == 8 &&
                  offsetof(TWinRect, bottom) == 12);
    static_assert(sizeof(TWinPoint) == 2 * sizeof(std::int32_t) && offsetof(TWinPoint, x) == 0 &&
                  offsetof(TWinPoint, y) == 4);
    // (left, top, right, bottom) less (origin x, origin y, left, top). A lane
    // overflowed where the two it subtracts differ in sign and so do the first
    // and the result; then every value is taken the saturating way.
    const __m128i rect = _mm_loadu_si128(reinterpret_cast<const __m128i*>(&r));
    const __m128i less =
        _mm_unpacklo_epi64(_mm_cvtsi64_si128(std::bit_cast<std::int64_t>(origin)), rect);
    __m128i all = _mm_sub_epi32(rect, less);
    const __m128i over = _mm_and_si128(_mm_xor_si128(rect, less), _mm_xor_si128(rect, all));
    if (_mm_movemask_ps(_mm_castsi128_ps(over)) != 0)
        all = LanesOf(BoundsInSaturated(r, origin));
    return BoundsOf(all);
#else
    return BoundsInSaturated(r, origin);
#endif
}

} // namespace Quorvel::Core
