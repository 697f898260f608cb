#include "LocaleFormats.h"

#include "IntegerText.h"
#include "ReelkeepError.h"

#include <QLocale>
#include <QRegularExpression>

namespace reelkeep {
namespace {

// Field order of a date format such as "dd.MM.yyyy" or "M/d/yy": 'd', 'M', 'y'.
QString fieldOrder(const QString& format)
{
    QString order;
    for (const QChar c : format) {
        const QChar field = c == QLatin1Char('d') || c == QLatin1Char('M') || c == QLatin1Char('y') ? c : QChar();
        if (!field.isNull() && !order.contains(field))
            order += field;
    }
    return order.size() == 3 ? order : QStringLiteral("dMy");
}

int expandYear(int year, qsizetype digits)
{
    if (digits > 2)
        return year;
    // Two-digit years fall in the century window around the current year.
    const int now = QDate::currentDate().year();
    int full = now - now % 100 + year;
    if (full > now + 49)
        full -= 100;
    else if (full <= now - 50)
        full += 100;
    return full;
}

// Whether a date format writes day, month and year as numbers alone (no month or day
// names), so that parseDate reads back what it writes.
bool isNumericDateFormat(const QString& format)
{
    for (const char field : {'d', 'M', 'y'})
        if (!format.contains(QLatin1Char(field)))
            return false;
    for (qsizetype i = 0; i < format.size();) {
        const QChar c = format[i];
        qsizetype run = 1;
        while (i + run < format.size() && format[i + run] == c)
            ++run;
        const bool number = c == QLatin1Char('y') ? run == 2 || run == 4 : (c == QLatin1Char('d') || c == QLatin1Char('M')) && run <= 2;
        if (c.isLetter() && !number)
            return false;
        i += run;
    }
    return true;
}

} // namespace

LocaleFormats LocaleFormats::system()
{
    const QLocale locale = QLocale::system();
    // A locale whose short form names the month (the C locale's "d MMM yyyy") gets the numeric Russian one.
    const QString shortFormat = locale.dateFormat(QLocale::ShortFormat);
    return {isNumericDateFormat(shortFormat) ? shortFormat : russian().shortDateFormat,
            locale.decimalPoint().isEmpty() ? QLatin1Char('.') : locale.decimalPoint().at(0)};
}

LocaleFormats LocaleFormats::russian()
{
    return {QStringLiteral("dd.MM.yyyy"), QLatin1Char(',')};
}

std::optional<QDate> LocaleFormats::parseDate(const QString& text) const
{
    // Three runs of digits with one separator character between them.
    static const QRegularExpression pattern(QStringLiteral("^([0-9]{1,4})[^0-9\\w]([0-9]{1,4})[^0-9\\w]([0-9]{1,4})$"),
                                            QRegularExpression::UseUnicodePropertiesOption);
    const QRegularExpressionMatch match = pattern.match(text.trimmed());
    if (!match.hasMatch())
        return std::nullopt;
    const QString order = fieldOrder(shortDateFormat);
    int day = 0, month = 0, year = 0;
    for (int k = 0; k < 3; ++k) {
        const QStringView part = match.capturedView(k + 1);
        const int value = static_cast<int>(ParseInteger(part, 0, 9999).value_or(0));
        if (order[k] == QLatin1Char('d'))
            day = value;
        else if (order[k] == QLatin1Char('M'))
            month = value;
        else
            year = expandYear(value, part.size());
    }
    const QDate date(year, month, day);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

QDate LocaleFormats::toDate(const QString& text) const
{
    const auto date = parseDate(text);
    if (!date)
        throw ConversionError(Message("NotDate").arg(text));
    return *date;
}

QString LocaleFormats::formatDate(const QDate& date) const
{
    return date.toString(shortDateFormat);
}

} // namespace reelkeep
