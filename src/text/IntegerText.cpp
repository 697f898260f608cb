#include "IntegerText.h"

#include "ReelkeepError.h"

#include <limits>

namespace reelkeep {
namespace {

char16_t unit(QChar c) { return c.unicode(); }
char16_t unit(char c) { return static_cast<unsigned char>(c); }

int digitValue(char16_t c)
{
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'z')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'Z')
        return c - u'A' + 10;
    return std::numeric_limits<int>::max();
}

template <typename View>
std::optional<qint64> parse(View text, qint64 low, qint64 high, int base)
{
    qsizetype i = 0;
    const bool negative = !text.isEmpty() && unit(text[0]) == u'-';
    if (!text.isEmpty() && (unit(text[0]) == u'-' || unit(text[0]) == u'+'))
        ++i;
    if (i == text.size())
        return std::nullopt;
    // Accumulate towards the sign's side so that the most negative value fits too.
    const qint64 limit = negative ? low : high;
    qint64 value = 0;
    for (; i < text.size(); ++i) {
        const int digit = digitValue(unit(text[i]));
        if (digit >= base)
            return std::nullopt;
        if (negative) {
            if (value < (limit + digit) / base)
                return std::nullopt;
            value = value * base - digit;
        } else {
            if (value > (limit - digit) / base)
                return std::nullopt;
            value = value * base + digit;
        }
    }
    if (value < low || value > high)
        return std::nullopt;
    return value;
}

} // namespace

std::optional<qint64> ParseInteger(QStringView text, qint64 low, qint64 high, int base)
{
    return parse(text, low, high, base);
}

std::optional<qint64> ParseInteger(QByteArrayView text, qint64 low, qint64 high, int base)
{
    return parse(text, low, high, base);
}

int ToInteger(const QString& text)
{
    const std::optional<qint64> value =
        ParseInteger(QStringView(text).trimmed(), std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    if (!value)
        throw ConversionError(Message("NotInteger").arg(text));
    return static_cast<int>(*value);
}

} // namespace reelkeep
