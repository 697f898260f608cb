// The order in which the flat file forms store a list's rows: depth-first in display
// order, every row followed by all of its descendants, so parents come first.
#pragma once

#include "TZKList.h"

#include <QHash>
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

// Rebuilds the row tree of a list read from a flat form. A row goes under the row its
// group ID names: the parent of the row before when that one has this ID, else the
// first row read with it; when no row read so far has it, at top level.
class FlatRowTree {
public:
    explicit FlatRowTree(TZKList& list) : m_list(list) {}

    // The row as placed, or nullptr (and the row dropped) when it would lie more than
    // kMaxRowNesting levels deep.
    TzkRow* Place(RowPtr row, std::int32_t groupId)
    {
        Placed parent;
        if (groupId != -1) {
            if (m_previousParent.row && m_previousParent.row->ID == groupId)
                parent = m_previousParent;
            else if (const auto found = m_firstById.constFind(groupId); found != m_firstById.cend())
                parent = *found;
        }
        if (parent.depth >= kMaxRowNesting)
            return nullptr;
        TzkRow* placed = m_list.InsertRow(std::move(row), parent.row);
        if (placed->ID != -1) {
            Placed& first = m_firstById[placed->ID];
            if (!first.row)
                first = Placed{placed, parent.depth + 1};
        }
        m_previousParent = parent;
        return placed;
    }

private:
    struct Placed {
        TzkRow* row = nullptr;
        int depth = 0; // 1 at top level
    };

    TZKList& m_list;
    QHash<std::int32_t, Placed> m_firstById;
    Placed m_previousParent;
};

} // namespace reelkeep
