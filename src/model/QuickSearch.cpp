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

int QuickSearch::next(const std::vector<TzkRow*>& order, int start, bool wrap) const
{
    if (m_needle.isEmpty())
        return -1;
    const int count = static_cast<int>(order.size());
    for (int i = std::max(start, 0); i < count; ++i)
        if (matches(*order[static_cast<size_t>(i)]))
            return i;
    for (int i = 0; wrap && i < std::min(start, count); ++i)
        if (matches(*order[static_cast<size_t>(i)]))
            return i;
    return -1;
}

} // namespace reelkeep
