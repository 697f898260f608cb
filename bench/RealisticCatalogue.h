// Catalogues that look like a collector's: for measuring sorting, filtering and memory.
#pragma once

#include "TZKList.h"

#include <cstdint>
#include <memory>

namespace reelkeep::bench {

// Full records (all 21 stored cells) at the top level. About a third of the titles
// repeat an earlier one, some of those differ from it only by case, and 5 % are empty.
std::unique_ptr<TZKList> makeRealisticList(int rows, std::uint32_t seed = 2026);

} // namespace reelkeep::bench
