// Takes frames of video files in the helper executable reelkeep-frame-grabber,
// which stays running from one frame to the next. FFmpeg's libraries can crash or
// spin on a damaged file: such a frame is reported missing after the deadline and
// the next one gets a fresh helper. One thread uses a grabber at a time.
#pragma once

#include "FrameRequest.h"

#include <array>
#include <chrono>
#include <functional>
#include <memory>

namespace reelkeep {

class HelperProcess;
class StopSignal;

// How long one frame may take; a key frame of a healthy file takes milliseconds.
constexpr std::chrono::milliseconds kFrameDeadline{5000};
// The points of the film the frame chooser offers, in percent of its length.
constexpr std::array<int, 6> kChooserPercents{10, 25, 40, 55, 70, 85};
// The point of the frame added to each new record when the setting asks for one.
constexpr int kEntryFramePercent = kChooserPercents[0];

class FrameGrabber {
public:
    explicit FrameGrabber(std::chrono::milliseconds deadline = kFrameDeadline);
    ~FrameGrabber();
    FrameGrabber(const FrameGrabber&) = delete;
    FrameGrabber& operator=(const FrameGrabber&) = delete;

    // The frame as JPEG bytes; throws FileError naming the file when there is none,
    // also when the helper crashed on it or outlasted the deadline. Empty when
    // `cancelled` said so (it is asked every kCancelCheck of waiting) or stop was
    // raised meanwhile; the frame is then abandoned.
    QByteArray Grab(const FrameRequest& request, const std::function<bool()>& cancelled = {},
                    const StopSignal* stop = nullptr);

private:
    std::chrono::milliseconds m_deadline;
    std::unique_ptr<HelperProcess> m_helper;
};

} // namespace reelkeep
