#include "FilterValues.h"

#include <QCollator>
#include <QHash>
#include <algorithm>
#include <vector>

namespace reelkeep {

FilterCells FilterCellsOf(const TZKList& list, int column)
{
    const TzkColumn& options = list.Column(column);
    FilterCells cells{{}, options.NamesWithDot, options.SecondNames};
    const auto c = static_cast<size_t>(column);
    const int visible = list.VisibleRowCount();
    cells.cells.reserve(visible);
    for (int k = 0; k < visible; ++k)
        if (const QString& cell = list.VisibleRow(k)->Fields[c]; !cell.isEmpty())
            cells.cells.append(cell);
    return cells;
}

QStringList FilterValueList(const TZKList& list, int column, const QLocale& locale)
{
    return FilterValueList(FilterCellsOf(list, column), locale);
}

QStringList FilterValueList(const FilterCells& cells, const QLocale& locale)
{
    // Equal parts are dropped before sorting: a column of 100,000 cells often holds a few dozen values.
    QStringList parts;
    QHash<QString, bool> seen;
    for (const QString& cell : cells.cells) {
        for (QString& part : SplitValues(cell, cells.namesWithDot, cells.secondNames)) {
            const QString folded = part.toUpper();
            if (!seen.contains(folded)) {
                seen.insert(folded, true);
                parts.append(std::move(part));
            }
        }
    }
    QCollator collator(locale);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    // The C locale's collation compares code points and keeps case: it is given folded text.
    const bool foldFirst = locale.language() == QLocale::C;
    std::vector<std::pair<QCollatorSortKey, qsizetype>> keys;
    keys.reserve(static_cast<size_t>(parts.size()));
    for (qsizetype i = 0; i < parts.size(); ++i)
        keys.emplace_back(collator.sortKey(foldFirst ? parts[i].toCaseFolded() : parts[i]), i);
    // Ties keep model order, so of parts the locale takes as equal the first read comes first.
    std::stable_sort(keys.begin(), keys.end(), [](const auto& a, const auto& b) { return a.first.compare(b.first) < 0; });
    QStringList values;
    values.reserve(parts.size());
    for (const auto& key : keys)
        values.append(parts[key.second]);
    return values;
}

} // namespace reelkeep
