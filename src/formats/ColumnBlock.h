// The column block both binary catalogue versions store per list: name, type,
// logical value, pattern and the two name options of columns 0 to 20.
#pragma once

#include "BinaryStream.h"
#include "TZKList.h"

namespace reelkeep {

// The fewest bytes a column block can take (all texts empty).
constexpr qint64 kMinColumnBlockBytes = kStoredColumnCount * (4 + 1 + 4 + 4 + 1 + 1);

void ReadColumnBlock(BinaryReader& in, TZKList& list);
void WriteColumnBlock(BinaryWriter& out, const TZKList& list);

} // namespace reelkeep
