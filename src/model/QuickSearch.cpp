#include "QuickSearch.h"

#include <algorithm>

namespace reelkeep {

SearchColumn::SearchColumn(std::vector<TzkRow*> order, int column) : m_column(column), m_order(std::move(order))
{
    const auto c = static_cast<size_t>(column);
    m_starts.reserve(m_order.size() + 1);
    // Rows lie all over the heap: the cell of a row a few steps ahead is fetched early,
    // and the row holding it earlier still, so both are at hand when the copy gets there.
    constexpr size_t kCellAhead = 16;
    constexpr size_t kRowAhead = 3 * kCellAhead;
    for (size_t i = 0; i < m_order.size(); ++i) {
        if (i + kRowAhead < m_order.size())
            __builtin_prefetch(&m_order[i + kRowAhead]->Fields[c]);
        if (i + kCellAhead < m_order.size())
            __builtin_prefetch(m_order[i + kCellAhead]->Fields[c].constData());
        const QString& cell = m_order[i]->Fields[c];
        m_starts.push_back(m_texts.size());
        m_texts.append(reinterpret_cast<const char16_t*>(cell.constData()), static_cast<size_t>(cell.size()));
    }
    m_starts.push_back(m_texts.size());
}

QStringView SearchColumn::cell(int position) const
{
    const auto p = static_cast<size_t>(position);
    return QStringView(m_texts.data() + m_starts[p], static_cast<qsizetype>(m_starts[p + 1] - m_starts[p]));
}

QuickSearch::QuickSearch(const TSimpleSyntaxAnalizer& normaliser, const QString& text)
    : m_normaliser(normaliser), m_needle(normaliser.Analize(text))
{
}

bool QuickSearch::matches(QStringView cell) const
{
    // Folds the cell a character at a time: a step over 100,000 cells copies none.
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

int QuickSearch::firstMatch(const SearchColumn& cells, int from, int to) const
{
    for (int i = from; i < to; ++i)
        if (matches(cells.cell(i)))
            return i;
    return -1;
}

int QuickSearch::next(const SearchColumn& cells, int start, bool wrap) const
{
    if (m_needle.isEmpty())
        return -1;
    const int count = cells.size();
    const int found = firstMatch(cells, std::max(start, 0), count);
    return found >= 0 || !wrap ? found : firstMatch(cells, 0, std::min(start, count));
}

} // namespace reelkeep
