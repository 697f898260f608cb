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

} // namespace reelkeep
