// Examines video files in the helper executable reelkeep-media-reader, which
// stays running from one file to the next. libmediainfo can crash or spin
// forever on a damaged file: such a file is reported unreadable after the
// deadline and the next file gets a fresh helper. One thread uses an examiner
// at a time; each thread of a pool has its own.
#pragma once

#include "TzkVideoInfo.h"

#include <chrono>
#include <functional>
#include <memory>

namespace reelkeep {

class HelperProcess;
class StopSignal;

// How long one file may take; healthy files take milliseconds.
constexpr std::chrono::milliseconds kMediaDeadline{30000};
// How often a wait for a file's media asks whether to stop: often enough for a window
// that lets its events run meanwhile to repaint ten times a second.
constexpr std::chrono::milliseconds kCancelCheck{40};

class MediaExaminer {
public:
    explicit MediaExaminer(std::chrono::milliseconds deadline = kMediaDeadline);
    ~MediaExaminer();
    MediaExaminer(const MediaExaminer&) = delete;
    MediaExaminer& operator=(const MediaExaminer&) = delete;

    // The file's media; throws FileError naming the file when it cannot be read,
    // also when the helper crashed on it or outlasted the deadline. Null when
    // `cancelled` said so (it is asked every kCancelCheck of waiting) or
    // `stop` was raised; the file is then abandoned.
    std::shared_ptr<TzkVideoInfo> Examine(const QString& path, const std::function<bool()>& cancelled = {},
                                          const StopSignal* stop = nullptr);

private:
    std::chrono::milliseconds m_deadline;
    std::unique_ptr<HelperProcess> m_helper;
};

} // namespace reelkeep
