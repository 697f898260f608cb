// A helper executable run as a child process, for libraries that must not be able
// to crash or hang the program. It is started with posix_spawn (no fork of a
// process that may have threads), with one socket as its standard input and
// output and no other descriptor of ours. Every wait has a deadline and can be
// ended by a StopSignal; the destructor kills and reaps the child. One thread
// uses a HelperProcess at a time; any number of them may run at once.
#pragma once

#include "ReelkeepError.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <chrono>
#include <sys/types.h>

namespace reelkeep {

using Deadline = std::chrono::steady_clock::time_point;

inline Deadline DeadlineIn(std::chrono::milliseconds wait)
{
    return std::chrono::steady_clock::now() + wait;
}

// Why talking to a helper failed; the message is for the log, callers say what it
// means for the file at hand.
class HelperFailure : public ReelkeepError {
public:
    enum Reason { NotStarted, Crashed, TimedOut, Stopped, Oversized, Garbled };
    HelperFailure(Reason reason, const QString& message)
        : ReelkeepError(message)
        , m_reason(reason)
    {
    }
    HelperFailure(Reason reason, Message text)
        : ReelkeepError(std::move(text))
        , m_reason(reason)
    {
    }
    Reason reason() const { return m_reason; }

private:
    Reason m_reason;
};

// Raised once, from any thread, it ends every wait it was handed.
class StopSignal {
public:
    StopSignal();
    ~StopSignal();
    StopSignal(const StopSignal&) = delete;
    StopSignal& operator=(const StopSignal&) = delete;

    void Raise();
    bool Raised() const;
    int Descriptor() const { return m_fd; }

private:
    int m_fd;
};

class HelperProcess {
public:
    // Starts the program; throws HelperFailure(NotStarted) when it cannot.
    HelperProcess(const QString& program, const QStringList& arguments);
    ~HelperProcess();
    HelperProcess(const HelperProcess&) = delete;
    HelperProcess& operator=(const HelperProcess&) = delete;

    // A frame is a 32-bit length in native order and that many bytes.
    void WriteFrame(QByteArrayView payload, Deadline deadline, const StopSignal* stop = nullptr);
    QByteArray ReadFrame(qsizetype maxSize, Deadline deadline, const StopSignal* stop = nullptr);
    void Write(QByteArrayView bytes, Deadline deadline, const StopSignal* stop = nullptr);
    // True once there is something to read (or the helper ended), false at the
    // deadline; for waits that must look at something else now and then.
    bool WaitForInput(Deadline deadline, const StopSignal* stop = nullptr);
    // The helper then sees the end of its input.
    void CloseInput();
    // Everything the helper writes until it ends, which must be with status 0.
    // More than maxSize bytes is Oversized.
    QByteArray ReadToExit(qsizetype maxSize, Deadline deadline, const StopSignal* stop = nullptr);

private:
    void readExactly(char* into, qsizetype size, Deadline deadline, const StopSignal* stop);
    // Waits until the socket is ready for `events`; false at the deadline, throws Stopped.
    bool ready(short events, Deadline deadline, const StopSignal* stop);
    // The same, throwing TimedOut at the deadline.
    void waitFor(short events, Deadline deadline, const StopSignal* stop);
    [[noreturn]] void fail(HelperFailure::Reason reason, const char* whatKey) const;
    void waitForExit(Deadline deadline, const StopSignal* stop);

    QString m_name;
    pid_t m_pid = -1;
    int m_socket = -1;
    bool m_reaped = false;
};

} // namespace reelkeep
