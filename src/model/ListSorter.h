// Sorts one level of rows, and the levels below it, by one column. The order is
// that of a selection sort with the list's tie rules, computed in O(n log n).
#pragma once

#include "LocaleFormats.h"
#include "TzkRow.h"

#include <cstdint>
#include <vector>

namespace reelkeep {

class ListSorter {
public:
    // kind: 0 text (case-folded bytes of the 8-bit code page), 1 whole number, 2 date.
    ListSorter(int column, std::uint8_t kind, bool descending, const LocaleFormats& formats);

    // Sorts the rows, then the children of each row in order, depth first.
    // A date or number cell that cannot be read throws ConversionError before
    // any row of its level moves; levels sorted before it stay sorted.
    void sortTree(std::vector<RowPtr>& rows) const;
    // Sorts this level only.
    void sortLevel(std::vector<RowPtr>& rows) const;

    static bool knowsKind(std::uint8_t kind) { return kind <= 2; }

private:
    size_t m_column;
    std::uint8_t m_kind;
    bool m_descending;
    const LocaleFormats& m_formats;
};

} // namespace reelkeep
