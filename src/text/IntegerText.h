// Whole numbers read from text: the one parser behind settings, stored counts,
// cells, command arguments and library values.
#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <optional>

namespace reelkeep {

// An optional sign and digits of the base (2..36), nothing else: no blanks, no
// prefix. Empty when the text is not such a number or lies outside [low, high].
std::optional<qint64> ParseInteger(QStringView text, qint64 low, qint64 high, int base = 10);
std::optional<qint64> ParseInteger(QByteArrayView text, qint64 low, qint64 high, int base = 10);

// A 32-bit decimal integer with optional sign and surrounding blanks, as a cell
// or a setting holds it; throws ConversionError naming the text otherwise.
int ToInteger(const QString& text);

} // namespace reelkeep
