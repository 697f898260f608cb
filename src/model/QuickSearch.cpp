#include "QuickSearch.h"

#include <algorithm>

namespace reelkeep {

QuickSearch::QuickSearch(const TSimpleSyntaxAnalizer& normaliser, const QString& text, int column)
    : m_normaliser(normaliser), m_needle(normaliser.Analize(text)), m_column(static_cast<size_t>(column))
{
}

bool QuickSearch::matches(const TzkRow& row) const
{
    // Folds the cell a character at a time: a step over 100,000 rows copies no cell.
    const QString& cell = row.Fields[m_column];
    const qsizetype n = m_needle.size();
    if (n == 0 || cell.size() < n)
        return false;
    for (qsizetype at = 0; at + n <= cell.size(); ++at) {
        qsizetype i = 0;
        while (i < n && m_normaliser.Fold(cell[at + i]) == m_needle[i])
            ++i;
        if (i == n)
            return true;
    }
    return false;
}

int QuickSearch::firstMatch(const std::vector<TzkRow*>& order, int from, int to) const
{
    // Rows and their cells lie all over the heap, so a walk waits on memory far more than
    // it compares: the cell of a row a few steps ahead is fetched early, and the row
    // holding it earlier still, so both are at hand when the walk gets there.
    constexpr int kCellAhead = 16;
    constexpr int kRowAhead = 3 * kCellAhead;
    for (int i = from; i < to; ++i) {
        if (i + kRowAhead < to)
            __builtin_prefetch(&order[static_cast<size_t>(i + kRowAhead)]->Fields[m_column]);
        if (i + kCellAhead < to)
            __builtin_prefetch(order[static_cast<size_t>(i + kCellAhead)]->Fields[m_column].constData());
        if (matches(*order[static_cast<size_t>(i)]))
            return i;
    }
    return -1;
}

int QuickSearch::next(const std::vector<TzkRow*>& order, int start, bool wrap) const
{
    if (m_needle.isEmpty())
        return -1;
    const int count = static_cast<int>(order.size());
    const int found = firstMatch(order, std::max(start, 0), count);
    return found >= 0 || !wrap ? found : firstMatch(order, 0, std::min(start, count));
}

} // namespace reelkeep
