// Integer sums and differences of the layout core. Window geometry comes from
// form files, callers and the system unchecked, so every sum is taken in 64 bits
// and saturates at the 32-bit range instead of overflowing.
#pragma once

#include <cstdint>

namespace Quorvel::Core {

constexpr int Narrow(std::int64_t value) {
    return value < INT32_MIN ? INT32_MIN : value > INT32_MAX ? INT32_MAX : static_cast<int>(value);
}

constexpr int Add(int a, int b) { return Narrow(std::int64_t{a} + b); }
constexpr int Sub(int a, int b) { return Narrow(std::int64_t{a} - b); }

} // namespace Quorvel::Core
