// The conversions from double to integer every layout value goes through. None
// invokes undefined behaviour: beyond the 32-bit range they saturate, NaN gives 0.
#pragma once

#include <cstdint>

namespace Quorvel::Core {

// Truncation toward zero.
std::int32_t Trunc(double value);

// Truncation after adding 0.5: how coordinates, sizes and the form's font are
// rounded. A negative value moves toward zero (-9.5 gives -9).
inline std::int32_t RoundHalfUp(double value) { return Trunc(value + 0.5); }

// Signed halving that truncates toward zero (-101 gives -50).
constexpr int Half(int value) { return value / 2; }

} // namespace Quorvel::Core
