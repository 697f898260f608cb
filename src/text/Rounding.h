// Rounding to whole numbers, halves to the even neighbour, as sizes, bit rates,
// averages and print measures are shown and stored.
#pragma once

#include <cstdint>

namespace reelkeep {

// The nearest whole number, halves to the even one; NaN gives 0 and values beyond
// the 64-bit range give its ends.
std::int64_t RoundHalfEven(double value);
// Integer quotient rounded to nearest, halves to even (divisor > 0).
std::int64_t DivideHalfEven(std::int64_t dividend, std::int64_t divisor);

} // namespace reelkeep
