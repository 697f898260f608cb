// Taking one frame of a video file with FFmpeg's libraries. Runs only inside the
// helper executable reelkeep-frame-grabber: a damaged file may crash or hang them.
#pragma once

#include "FrameRequest.h"

#include <QByteArray>

namespace reelkeep {

// The key frame nearest before the asked point of the film, scaled down (aspect kept,
// display aspect of non-square pixels included) so its longest side is at most the
// asked one, as a JPEG file's bytes. Throws FileError naming the file when there is
// no such frame: not a video, no decodable video stream, a picture over the pixel limit.
QByteArray ReadFrameInProcess(const FrameRequest& request);

} // namespace reelkeep
