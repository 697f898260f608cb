// The user's short date format and decimal separator, taken once from the system
// and passed to whoever formats or reads dates and decimals.
#pragma once

#include <QChar>
#include <QDate>
#include <QString>
#include <optional>

namespace reelkeep {

struct LocaleFormats {
    QString shortDateFormat; // QDate notation, e.g. "dd.MM.yyyy"
    QChar decimalSeparator;

    static LocaleFormats system();
    // Russian conventions: "dd.MM.yyyy" and a comma.
    static LocaleFormats russian();

    // Reads a date written in the short date format, leniently about leading zeros
    // and two-digit years. Empty when the text is not a date.
    std::optional<QDate> parseDate(const QString& text) const;
    // As parseDate, but throws ConversionError naming the text.
    QDate toDate(const QString& text) const;
    QString formatDate(const QDate& date) const;
};

} // namespace reelkeep
