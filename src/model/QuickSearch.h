// The quick search of a list window: the next record, in display order, whose
// cell in the search column contains the typed text once both are normalised.
#pragma once

#include "TSyntaxAnalizer.h"
#include "TzkRow.h"

#include <QString>
#include <vector>

namespace reelkeep {

class QuickSearch {
public:
    QuickSearch(const TSimpleSyntaxAnalizer& normaliser, const QString& text, int column);

    bool matches(const TzkRow& row) const;
    // The position of the first matching row from start on; with wrap, the search goes on from
    // the top when nothing below matches. -1 when no row matches (or the text is empty).
    int next(const std::vector<TzkRow*>& order, int start, bool wrap) const;

private:
    // The position of the first matching row in [from, to), or -1.
    int firstMatch(const std::vector<TzkRow*>& order, int from, int to) const;

    const TSimpleSyntaxAnalizer& m_normaliser;
    QString m_needle;
    size_t m_column;
};

} // namespace reelkeep
