// reelkeep-media-reader: reads the media information of each file whose UTF-8
// path comes as a frame on standard input and answers with a frame (MediaWire.h),
// until its input ends.
#include "HelperChannel.h"
#include "MediaReading.h"
#include "MediaWire.h"

#include <new>

int main()
{
    reelkeep::helper::KeepAnswersApart();
    using namespace reelkeep;
    while (const auto path = helper::ReadFrame()) {
        QByteArray answer;
        try {
            answer = EncodeMedia(*ReadMediaInProcess(QString::fromUtf8(*path)));
        } catch (const std::exception& error) {
            answer = EncodeMediaError(error);
        }
        if (!helper::WriteFrame(answer))
            return 1;
    }
    return 0;
}
