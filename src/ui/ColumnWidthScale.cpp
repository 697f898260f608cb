#include "ColumnWidthScale.h"

#include "TzkRow.h"

#include <QFontMetrics>
#include <cmath>

namespace reelkeep {
namespace {

// The average width of a Latin letter in the classic 8-point interface font, in pixels.
constexpr double kClassicAverageCharWidth = 6.0;

const QString& latinLetters()
{
    static const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    return letters;
}

} // namespace

ColumnWidthScale::ColumnWidthScale(const QFontMetrics& metrics)
    : m_factor(metrics.horizontalAdvance(latinLetters()) / double(latinLetters().size()) / kClassicAverageCharWidth)
{
}

int ColumnWidthScale::shown(int stored) const
{
    return static_cast<int>(std::lround(stored * m_factor));
}

int ColumnWidthScale::stored(int shown) const
{
    return m_factor > 0 ? static_cast<int>(std::lround(shown / m_factor)) : shown;
}

std::vector<int> WidestValueWidths(const std::vector<TzkRow*>& rows, const std::vector<int>& columns, const QFontMetrics& metrics,
                                   int margin)
{
    // The longest text is measured alone: values of one column differ in length far more than in glyphs.
    // Read from the records themselves, each record once for all the columns: on a big catalogue,
    // going through the model, or over the records once per column, took a noticeable pause.
    std::vector<const QString*> longest(columns.size(), nullptr);
    for (const TzkRow* row : rows)
        for (size_t k = 0; k < columns.size(); ++k) {
            const QString& text = row->Fields[static_cast<size_t>(columns[k])];
            if (!longest[k] || text.size() > longest[k]->size())
                longest[k] = &text;
        }
    std::vector<int> widths;
    widths.reserve(columns.size());
    for (const QString* text : longest)
        widths.push_back(!text || text->isEmpty() ? 0 : metrics.horizontalAdvance(*text) + 2 * margin);
    return widths;
}

} // namespace reelkeep
