// What the commands of a list window act on: the record shown in the panel and the
// records selected in the grid, and the way to make another record current.
#pragma once

#include <vector>

namespace reelkeep {

class TzkRow;

class RecordSelection {
public:
    // The record the panel shows; none after load, sort, sheet changes and delete.
    virtual TzkRow* currentRecord() const = 0;
    // The selected records in grid order (top to bottom, children after their parent).
    virtual std::vector<TzkRow*> selectedRecords() const = 0;
    // The selected records in the order they were selected, without those nested under
    // another selected record.
    virtual std::vector<TzkRow*> outermostSelected() const = 0;
    // Makes the record current: focused, selected alone, scrolled to and shown.
    virtual void focusRecord(const TzkRow* row) = 0;

protected:
    ~RecordSelection() = default;
};

} // namespace reelkeep
