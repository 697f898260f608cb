// reelkeep-frame-grabber: takes one frame of a video file for each request that
// comes as a frame on standard input (FrameRequest.h) and answers with a frame,
// until its input ends.
#include "FrameReading.h"
#include "HelperChannel.h"
#include "ReelkeepError.h"

extern "C" {
#include <libavutil/log.h>
}

int main()
{
    reelkeep::helper::KeepAnswersApart();
    using namespace reelkeep;
    // A damaged file makes the libraries talk at length; the answer says what matters.
    av_log_set_level(AV_LOG_QUIET);
    while (const auto request = helper::ReadFrame()) {
        QByteArray answer;
        try {
            answer = EncodeFrame(ReadFrameInProcess(DecodeFrameRequest(*request)));
        } catch (const ReelkeepError& error) {
            answer = EncodeFrameError(error.text());
        }
        if (!helper::WriteFrame(answer))
            return 1;
    }
    return 0;
}
