// One record: 22 text cells, its identity within the list and its nested records.
#pragma once

#include "ColumnDefinitions.h"

#include <QString>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace reelkeep {

class TzkRow;
using RowPtr = std::unique_ptr<TzkRow>;

class TzkRow {
public:
    std::int32_t ID = -1;
    std::int32_t GroupID = -1;
    std::vector<RowPtr> Children;
    bool Filtered = false;
    std::array<QString, kColumnCount> Fields;

    int ChildCount() const { return static_cast<int>(Children.size()); }
    TzkRow* Child(int i) const { return Children[static_cast<size_t>(i)].get(); }
    int VisibleRowCount() const;
    // The k-th child whose Filtered flag is false; k must be below VisibleRowCount().
    TzkRow* VisibleRow(int k) const;
    void SwapRows(int i, int j);
};

// Memory held by the row, its cells and its nested rows, for reports and the undo limit.
std::size_t MemoryOfRow(const TzkRow& row);

} // namespace reelkeep
