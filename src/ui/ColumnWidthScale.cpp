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

int WidestValueWidth(const std::vector<TzkRow*>& rows, int column, const QFontMetrics& metrics, int margin)
{
    // The longest text is measured alone: values of one column differ in length far more than in glyphs.
    // Read from the records themselves: on a big catalogue, going through the model took a noticeable pause.
    const QString* longest = nullptr;
    for (const TzkRow* row : rows) {
        const QString& text = row->Fields[static_cast<size_t>(column)];
        if (!longest || text.size() > longest->size())
            longest = &text;
    }
    return !longest || longest->isEmpty() ? 0 : metrics.horizontalAdvance(*longest) + 2 * margin;
}

} // namespace reelkeep
