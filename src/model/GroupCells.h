// The cells of a new group row, made from the records grouped under it.
#pragma once

#include "TZKList.h"

#include <vector>

namespace reelkeep {

// Text columns get the longest common prefix of the records' cells (compared without
// regard to case, taken from the first record); number columns the sum of the cells
// that are digits only; other columns stay empty; the colour cell is white.
void FillGroupCells(TzkRow& group, const std::vector<TzkRow*>& rows, const TZKList& list);

} // namespace reelkeep
