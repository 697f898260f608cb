#include "RecordEditing.h"

#include "IntegerText.h"
#include "TZKList.h"
#include "TextUtils.h"

#include <cmath>
#include <functional>

namespace reelkeep {
namespace {

void forEachRow(const TZKList& list, const std::function<void(const TzkRow&)>& visit)
{
    const std::function<void(const TzkRow&)> walk = [&](const TzkRow& row) {
        visit(row);
        for (const RowPtr& child : row.Children)
            walk(*child);
    };
    for (const RowPtr& row : list.Items())
        walk(*row);
}

} // namespace

int NextRecordNumber(const TZKList& list)
{
    int next = 1;
    forEachRow(list, [&next](const TzkRow& row) {
        const QString& number = row.Fields[csNumber];
        if (number.trimmed().isEmpty())
            return;
        const int value = ToInteger(number);
        if (value < next)
            return;
        next = value;
        if (const QString& discs = row.Fields[csDiscs]; !discs.trimmed().isEmpty())
            next += ToInteger(discs);
    });
    return next;
}

QString TidyText(const QString& text)
{
    if (text.size() <= 1)
        return text;
    QString tidy = text;
    tidy.replace(QChar(0xA0), QLatin1Char(' '));
    while (tidy.contains(QLatin1String("  ")))
        tidy.replace(QLatin1String("  "), QLatin1String(" "));
    static const std::pair<const char*, const char*> kSpaces[] = {
        {" -", "-"}, {"- ", "-"}, {" ,", ","}, {"( ", "("}, {") ", ")"}, {"/ ", "/"}, {"{ ", "{"}, {"} ", "}"}};
    for (const auto& [from, to] : kSpaces)
        tidy = ReplaceAll(tidy, QString::fromLatin1(from), QString::fromLatin1(to), true);
    while (tidy.startsWith(QLatin1Char(' ')))
        tidy.remove(0, 1);
    while (tidy.endsWith(QLatin1Char(' ')))
        tidy.chop(1);
    return tidy;
}

QString AppendPickedValue(const QString& cell, const QString& value)
{
    return cell.isEmpty() ? value : cell + QLatin1String(", ") + value;
}

QString ColourCell(std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
    const std::uint32_t value = (std::uint32_t(blue) << 16) | (std::uint32_t(green) << 8) | red;
    return QStringLiteral("%1").arg(value, 8, 16, QLatin1Char('0')).toUpper();
}

std::uint32_t ColourOfCell(const QString& cell)
{
    const std::optional<qint64> value = ParseInteger(QStringView(cell).trimmed(), 0, 0xFFFFFFFF, 16);
    if (!value)
        return 0xFFFFFF;
    const auto bgr = static_cast<std::uint32_t>(*value);
    return ((bgr & 0xFF) << 16) | (bgr & 0xFF00) | ((bgr >> 16) & 0xFF);
}

bool WantsLightText(std::uint32_t rgb)
{
    // Relative luminance of sRGB; white wins when its contrast ratio with the colour is the higher.
    const auto linear = [](std::uint32_t channel) {
        const double c = (channel & 0xFF) / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    const double luminance = 0.2126 * linear(rgb >> 16) + 0.7152 * linear(rgb >> 8) + 0.0722 * linear(rgb);
    return (1.05 / (luminance + 0.05)) > ((luminance + 0.05) / 0.05);
}

} // namespace reelkeep
