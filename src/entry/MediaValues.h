// Number conversions shared by media reading, record filling and statistics:
// the library's value texts, and rounding to whole units.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>

namespace reelkeep {

// Whole number from a library text: cut at the first "." and then the first "/",
// trimmed; empty or not a number gives 0.
std::int64_t MediaInteger(const QString& text);
// The low 32 bits of MediaInteger, as the 32-bit fields keep it.
std::int32_t MediaInteger32(const QString& text);
// Decimal from a library text: cut at the first "/", trimmed; empty or not a number gives 0.
double MediaDecimal(const QString& text);
// Frame rate: empty gives 0, a text that is not a number gives nothing.
std::optional<double> MediaFrameRate(const QString& text);

// Nearest integer, halves to the even one.
std::int64_t RoundHalfEven(double value);
// A byte count in whole mebibytes, halves to even.
std::int64_t MebibytesRounded(std::int64_t bytes);
// Integer quotient rounded to nearest, halves to even (divisor > 0).
std::int64_t DivideHalfEven(std::int64_t dividend, std::int64_t divisor);

} // namespace reelkeep
