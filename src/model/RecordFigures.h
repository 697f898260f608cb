// The columns that hold a record's year, size, length and genre, and their
// whole-number cells: what the duplicate search and the charts compare and count.
#pragma once

#include "TZKList.h"

#include <optional>

namespace reelkeep {

struct RecordColumns {
    int Year = -1;   // the year slot
    int Size = -1;   // the "%Size%" column (megabytes)
    int Length = -1; // the "%VidLength%" column (minutes)
    int Genre = -1;  // the "%Genre%" column, else the genre slot

    // Each -1 when the list has no such column.
    static RecordColumns Of(const TZKList& list);
};

// The cell as a whole number when it holds only digits (at most nine); nothing otherwise
// and for column -1.
std::optional<int> CellNumber(const TzkRow& row, int column);

// Calls visit for every record of the list, nested ones after their parent.
template <typename Visit>
void ForEachRecord(const std::vector<RowPtr>& rows, const Visit& visit)
{
    for (const RowPtr& row : rows) {
        visit(*row);
        ForEachRecord(row->Children, visit);
    }
}

} // namespace reelkeep
