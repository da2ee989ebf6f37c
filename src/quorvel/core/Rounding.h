// The conversions from double to integer every layout value goes through. None
// invokes undefined behaviour: beyond the 32-bit range they saturate, NaN gives 0.
#pragma once

#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace Quorvel::Core {

// Truncation toward zero. Inline: every scaled value of a pass comes through here.
inline std::int32_t Trunc(double value) {
#if defined(__SSE2__)
    // The processor's conversion answers INT32_MIN for NaN and whatever is out
    // of range: only that answer needs a second look.
    if (const std::int32_t fast = _mm_cvttsd_si32(_mm_set_sd(value)); fast != INT32_MIN)
        return fast;
#else
    // Whatever truncates into the range converts as it is (NaN fails both tests).
    if (value > -2147483649.0 && value < 2147483648.0)
        return static_cast<std::int32_t>(value);
#endif
    if (value != value) // NaN
        return 0;
    if (value >= 2147483647.0)
        return INT32_MAX;
    if (value <= -2147483648.0)
        return INT32_MIN;
    return static_cast<std::int32_t>(value);
}

// To the nearest integer, halves away from zero (2.5 gives 3, -2.5 gives -3):
// how coordinates, sizes, the form's font and the start-up corrections are
// rounded. A negative value rounds as its positive counterpart does, so -100 at
// factor 1.0 stays -100.
inline std::int32_t RoundHalfAway(double value) {
    return Trunc(value < 0 ? value - 0.5 : value + 0.5);
}

// Signed halving that truncates toward zero (-101 gives -50).
constexpr int Half(int value) { return value / 2; }

} // namespace Quorvel::Core
