// The order in which the flat file forms store a list's rows: depth-first in display
// order, every row followed by all of its descendants, so parents come first.
#pragma once

#include "TZKList.h"

#include <utility>
#include <vector>

namespace reelkeep {

// Nesting deeper than this only comes from damaged or hostile files; readers refuse
// it, because the model walks and frees its row tree recursively.
constexpr int kMaxRowNesting = 1000;

// Iterative, so any depth the model holds is walked without deep recursion.
template <typename Visit>
void ForEachRowDepthFirst(const TZKList& list, Visit&& visit)
{
    std::vector<std::pair<const std::vector<RowPtr>*, size_t>> stack{{&list.Items(), 0}};
    while (!stack.empty()) {
        auto& [rows, next] = stack.back();
        if (next == rows->size()) {
            stack.pop_back();
            continue;
        }
        const TzkRow& row = *(*rows)[next++];
        visit(row);
        if (!row.Children.empty())
            stack.emplace_back(&row.Children, 0);
    }
}

inline qint64 RowCountAllLevels(const TZKList& list)
{
    qint64 count = 0;
    ForEachRowDepthFirst(list, [&count](const TzkRow&) { ++count; });
    return count;
}

} // namespace reelkeep
