#include "TzkRow.h"

#include <utility>

namespace reelkeep {

int TzkRow::VisibleRowCount() const
{
    int count = 0;
    for (const auto& child : Children)
        count += child->Filtered ? 0 : 1;
    return count;
}

TzkRow* TzkRow::VisibleRow(int k) const
{
    for (const auto& child : Children)
        if (!child->Filtered && k-- == 0)
            return child.get();
    return nullptr;
}

void TzkRow::SwapRows(int i, int j)
{
    std::swap(Children[static_cast<size_t>(i)], Children[static_cast<size_t>(j)]);
}

std::size_t MemoryOfRow(const TzkRow& row)
{
    std::size_t bytes = sizeof(TzkRow) + sizeof(RowPtr) + row.Children.capacity() * sizeof(RowPtr);
    for (const QString& cell : row.Fields)
        if (!cell.isNull())
            bytes += 16 + 2 * std::size_t(cell.capacity() + 1); // Qt's array header plus the characters
    for (const auto& child : row.Children)
        bytes += MemoryOfRow(*child);
    return bytes;
}

} // namespace reelkeep
