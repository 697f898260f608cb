#include "MediaValues.h"

#include <cmath>

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
    s = s.trimmed();
    bool ok = false;
    const qlonglong value = s.toLongLong(&ok);
    return ok ? value : 0;
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

std::int64_t RoundHalfEven(double value)
{
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

std::int64_t MebibytesRounded(std::int64_t bytes)
{
    return DivideHalfEven(bytes, 1024 * 1024);
}

} // namespace reelkeep
