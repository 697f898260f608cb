// What both binary catalogue versions share: the column block stored per list (name,
// type, logical value, pattern and the two name options of columns 0 to 20) and the
// walk over the author, the lists and their top-level records.
#pragma once

#include "BinaryStream.h"
#include "TReelkeepSerialiazer.h"
#include "TZKList.h"

#include <functional>

namespace reelkeep {

// The fewest bytes a column block can take (all texts empty).
constexpr qint64 kMinColumnBlockBytes = kStoredColumnCount * (4 + 1 + 4 + 4 + 1 + 1);

void ReadColumnBlock(BinaryReader& in, TZKList& list);
void WriteColumnBlock(BinaryWriter& out, const TZKList& list);

// Reads the author and every list after the file's header; each top-level record is
// read by readRecord. minRecordBytes bounds the stored record counts.
void ReadBinaryLists(BinaryReader& in, TZKLists& lists, const ProgressCallback& onProgress, qint64 minRecordBytes,
                     const std::function<void(TZKList&)>& readRecord);

} // namespace reelkeep
