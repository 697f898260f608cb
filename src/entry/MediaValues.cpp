#include "MediaValues.h"

#include "IntegerText.h"
#include "Rounding.h"

#include <cmath>
#include <limits>

namespace reelkeep {
namespace {

// The library writes decimals with a point; a comma is taken as well.
std::optional<double> toDecimal(QString text)
{
    text.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok && std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

} // namespace

std::int64_t MediaInteger(const QString& text)
{
    QString s = text;
    if (const qsizetype dot = s.indexOf(QLatin1Char('.')); dot >= 0)
        s.truncate(dot);
    if (const qsizetype slash = s.indexOf(QLatin1Char('/')); slash >= 0)
        s.truncate(slash);
    return ParseInteger(QStringView(s).trimmed(), std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::max()).value_or(0);
}

std::int32_t MediaInteger32(const QString& text)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(MediaInteger(text))));
}

double MediaDecimal(const QString& text)
{
    QString s = text;
    if (const qsizetype slash = s.indexOf(QLatin1Char('/')); slash >= 0)
        s.truncate(slash);
    s = s.trimmed();
    return s.isEmpty() ? 0.0 : toDecimal(s).value_or(0.0);
}

std::optional<double> MediaFrameRate(const QString& text)
{
    if (text.isEmpty())
        return 0.0;
    return toDecimal(text.trimmed());
}

std::int64_t MebibytesRounded(std::int64_t bytes)
{
    return DivideHalfEven(bytes, 1024 * 1024);
}

} // namespace reelkeep
