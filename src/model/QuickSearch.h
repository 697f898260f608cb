// The quick search of a list window: the next record, in display order, whose
// cell in the search column contains the typed text once both are normalised.
#pragma once

#include "TSyntaxAnalizer.h"
#include "TzkRow.h"

#include <QString>
#include <QStringView>
#include <string>
#include <vector>

namespace reelkeep {

// The cells of one column in display order, copied side by side: a search typed key by
// key over 100,000 records walks them without waiting on rows spread over the heap.
class SearchColumn {
public:
    SearchColumn(std::vector<TzkRow*> order, int column);

    int column() const { return m_column; }
    int size() const { return static_cast<int>(m_order.size()); }
    TzkRow* row(int position) const { return m_order[static_cast<size_t>(position)]; }
    QStringView cell(int position) const;

private:
    int m_column;
    std::vector<TzkRow*> m_order;
    std::u16string m_texts;
    std::vector<size_t> m_starts; // of each cell in m_texts, and the end of the last
};

class QuickSearch {
public:
    QuickSearch(const TSimpleSyntaxAnalizer& normaliser, const QString& text);

    bool matches(QStringView cell) const;
    // The position of the first matching cell from start on; with wrap, the search goes on from
    // the top when nothing below matches. -1 when no cell matches (or the text is empty).
    int next(const SearchColumn& cells, int start, bool wrap) const;

private:
    // The position of the first matching cell in [from, to), or -1.
    int firstMatch(const SearchColumn& cells, int from, int to) const;

    const TSimpleSyntaxAnalizer& m_normaliser;
    QString m_needle;
};

} // namespace reelkeep
