// Number conversions shared by media reading, record filling and statistics:
// the library's value texts and byte counts in whole units.
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

// A byte count in whole mebibytes, halves to even.
std::int64_t MebibytesRounded(std::int64_t bytes);

} // namespace reelkeep
