// One filtering of a list, computed apart from the list: the rows and the cells its
// column filters read are copied, so that a worker thread may test them while the list
// stays in use, and the Filtered flags that come out are set on the rows in one step.
#pragma once

#include "TzkMask.h"

#include <QString>
#include <functional>
#include <memory>
#include <vector>

namespace reelkeep {

class TZKList;
class TzkRow;

class FilterPass {
public:
    // Copies the rows of the list (nested ones too) and the cells its filters read.
    explicit FilterPass(const TZKList& list);

    const TZKList* list() const { return m_list; }
    // The Filtered flag of every row copied; empty when stopped asks to stop first.
    std::vector<char> run(const std::function<bool()>& stopped = {}) const;
    // Sets the flags run gave; the list must still hold every row copied.
    void apply(TZKList& list, const std::vector<char>& flags) const;

private:
    struct Filter {
        std::unique_ptr<TzkMask> mask;
        bool topLevelOnly; // the colour column's filter
    };
    // Filters the rows [first, end) of one level; true when none of them stays visible.
    bool filterLevel(std::size_t first, std::size_t end, bool topLevel, std::vector<char>& flags) const;
    bool failsFilters(std::size_t row, bool topLevel) const;

    const TZKList* m_list;
    std::vector<Filter> m_filters;
    std::vector<TzkRow*> m_rows;      // depth first, each row before its children
    std::vector<std::size_t> m_ends;  // for each row, the position after its last descendant
    std::vector<QString> m_cells;     // per row, the cell of each filter's column
};

} // namespace reelkeep
