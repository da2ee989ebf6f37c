#include "quorvel/core/Rounding.h"

#include <cmath>
#include <limits>

namespace Quorvel::Core {

std::int32_t Trunc(double value) {
    if (std::isnan(value))
        return 0;
    if (value >= 2147483647.0)
        return std::numeric_limits<std::int32_t>::max();
    if (value <= -2147483648.0)
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

} // namespace Quorvel::Core
