// A deep copy of a catalogue's lists, so that a worker thread can write them while
// the window goes on changing its own.
#pragma once

#include "TZKLists.h"

#include <memory>

namespace reelkeep {

// Rows (with their IDs, nesting and Filtered flags), columns without their compiled
// filters, images, names and the author; cells are shared copies of the strings.
std::unique_ptr<TZKLists> CopyOfLists(const TZKLists& lists);

} // namespace reelkeep
