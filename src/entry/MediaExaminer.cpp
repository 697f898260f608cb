#include "MediaExaminer.h"

#include "HelperLocation.h"
#include "HelperProcess.h"
#include "MediaWire.h"

namespace reelkeep {
namespace {

// Far more than the media of any real file takes.
constexpr qsizetype kMaxAnswer = 16 << 20;

FileError unreadable(const QString& path, const Message& why)
{
    return FileError(Message("MediaUnreadable").arg(path).arg(why));
}

} // namespace

MediaExaminer::MediaExaminer(std::chrono::milliseconds deadline)
    : m_deadline(deadline)
{
}

MediaExaminer::~MediaExaminer() = default;

std::shared_ptr<TzkVideoInfo> MediaExaminer::Examine(const QString& path, const std::function<bool()>& cancelled,
                                                     const StopSignal* stop)
{
    const Deadline deadline = DeadlineIn(m_deadline);
    try {
        if (!m_helper)
            m_helper = std::make_unique<HelperProcess>(HelperExecutable(QStringLiteral("reelkeep-media-reader")), QStringList());
        m_helper->WriteFrame(path.toUtf8(), deadline, stop);
        while (!m_helper->WaitForInput(std::min(deadline, DeadlineIn(kCancelCheck)), stop)) {
            if (cancelled && cancelled()) {
                m_helper.reset();
                return nullptr;
            }
            if (std::chrono::steady_clock::now() >= deadline)
                throw HelperFailure(HelperFailure::TimedOut, QString());
        }
        return DecodeMedia(m_helper->ReadFrame(kMaxAnswer, deadline, stop));
    } catch (const HelperFailure& failure) {
        // Whatever went wrong, the helper's state is unknown: the next file gets a new one.
        m_helper.reset();
        switch (failure.reason()) {
        case HelperFailure::Stopped:
            return nullptr;
        case HelperFailure::NotStarted:
            throw unreadable(path, failure.text());
        case HelperFailure::TimedOut:
            throw unreadable(path, Message("MediaTimedOut").arg(std::chrono::duration_cast<std::chrono::seconds>(m_deadline).count()));
        default:
            throw unreadable(path, Message("MediaLibraryFailed"));
        }
    }
}

} // namespace reelkeep
