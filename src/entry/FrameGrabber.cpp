#include "FrameGrabber.h"

#include "HelperLocation.h"
#include "HelperProcess.h"
#include "LoadLimits.h"
#include "MediaExaminer.h"

namespace reelkeep {
namespace {

FileError noFrame(const QString& path, const Message& why)
{
    return FileError(Message("NoFrame").arg(path).arg(why));
}

} // namespace

FrameGrabber::FrameGrabber(std::chrono::milliseconds deadline)
    : m_deadline(deadline)
{
}

FrameGrabber::~FrameGrabber() = default;

QByteArray FrameGrabber::Grab(const FrameRequest& request, const std::function<bool()>& cancelled, const StopSignal* stop)
{
    const Deadline deadline = DeadlineIn(m_deadline);
    try {
        if (!m_helper)
            m_helper = std::make_unique<HelperProcess>(HelperExecutable(QStringLiteral("reelkeep-frame-grabber")), QStringList());
        m_helper->WriteFrame(EncodeFrameRequest(request), deadline, stop);
        while (!m_helper->WaitForInput(std::min(deadline, DeadlineIn(kCancelCheck)), stop)) {
            if (cancelled && cancelled()) {
                m_helper.reset();
                return {};
            }
            if (std::chrono::steady_clock::now() >= deadline)
                throw HelperFailure(HelperFailure::TimedOut, QString());
        }
        // A frame is never larger than an image may be.
        return DecodeFrameAnswer(m_helper->ReadFrame(kMaxImageBytes + 64, deadline, stop));
    } catch (const HelperFailure& failure) {
        // Whatever went wrong, the helper's state is unknown: the next frame gets a new one.
        m_helper.reset();
        switch (failure.reason()) {
        case HelperFailure::Stopped:
            return {};
        case HelperFailure::NotStarted:
            throw noFrame(request.path, failure.text());
        case HelperFailure::TimedOut:
            throw noFrame(request.path, Message("FrameLibraryTimedOut").arg(QString::number(m_deadline.count() / 1000.0)));
        default:
            throw noFrame(request.path, Message("FrameLibraryFailed"));
        }
    }
}

} // namespace reelkeep
