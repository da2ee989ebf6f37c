// The conversions from double to integer every layout value goes through. None
// invokes undefined behaviour: beyond the 32-bit range they saturate, NaN gives 0.
#pragma once

#include <cstdint>

namespace Quorvel::Core {

// Truncation toward zero.
std::int32_t Trunc(double value);

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
