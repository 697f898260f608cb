#include "ColumnWidthScale.h"

#include <QAbstractItemModel>
#include <QFontMetrics>
#include <cmath>
#include <functional>

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

int WidestValueWidth(const QAbstractItemModel& model, int column, const QFontMetrics& metrics, int margin)
{
    // The longest text is measured alone: values of one column differ in length far more than in glyphs.
    QString longest;
    const std::function<void(const QModelIndex&)> walk = [&](const QModelIndex& parent) {
        for (int row = 0; row < model.rowCount(parent); ++row) {
            const QModelIndex cell = model.index(row, column, parent);
            const QString text = cell.data(Qt::DisplayRole).toString();
            if (text.size() > longest.size())
                longest = text;
            const QModelIndex first = cell.siblingAtColumn(0);
            if (model.hasChildren(first))
                walk(first);
        }
    };
    walk(QModelIndex());
    return longest.isEmpty() ? 0 : metrics.horizontalAdvance(longest) + 2 * margin;
}

} // namespace reelkeep
