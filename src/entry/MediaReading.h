// The reading half of reelkeep-media-reader: a video file's media information
// through libmediainfo, in the process that calls it. Only the helper calls it;
// the program goes through MediaExaminer.
#pragma once

#include "TzkVideoInfo.h"

#include <memory>

namespace reelkeep {

// Throws FileError naming the file when the library cannot read it.
std::shared_ptr<TzkVideoInfo> ReadMediaInProcess(const QString& fileName);

} // namespace reelkeep
