#include "Rounding.h"

#include <cmath>
#include <limits>

namespace reelkeep {

std::int64_t RoundHalfEven(double value)
{
    // 2^63 is the first double past the range.
    constexpr double beyond = 9223372036854775808.0;
    if (std::isnan(value))
        return 0;
    if (value >= beyond)
        return std::numeric_limits<std::int64_t>::max();
    if (value < -beyond)
        return std::numeric_limits<std::int64_t>::min();
    const double floor = std::floor(value);
    const double rest = value - floor;
    auto whole = static_cast<std::int64_t>(floor);
    if (rest > 0.5 || (rest == 0.5 && whole % 2 != 0))
        ++whole;
    return whole;
}

std::int64_t DivideHalfEven(std::int64_t dividend, std::int64_t divisor)
{
    std::int64_t q = dividend / divisor;
    std::int64_t r = dividend % divisor;
    if (r < 0) {
        --q;
        r += divisor;
    }
    // Compare the remainder with half the divisor without overflowing.
    if (r > divisor - r || (r == divisor - r && q % 2 != 0))
        ++q;
    return q;
}

} // namespace reelkeep
