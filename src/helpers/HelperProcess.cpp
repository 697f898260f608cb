#include "HelperProcess.h"

#include "SystemReason.h"

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace reelkeep {
namespace {

int millisecondsLeft(Deadline deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()).count();
    return static_cast<int>(std::clamp<long long>(left, 0, 1000 * 1000));
}

// The spawn's file actions and attributes, released on every path.
class SpawnSetup {
public:
    SpawnSetup()
    {
        posix_spawn_file_actions_init(&actions);
        posix_spawnattr_init(&attributes);
    }
    ~SpawnSetup()
    {
        posix_spawn_file_actions_destroy(&actions);
        posix_spawnattr_destroy(&attributes);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;

    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
};

} // namespace

StopSignal::StopSignal()
    : m_fd(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK))
{
    if (m_fd < 0)
        throw HelperFailure(HelperFailure::NotStarted, Message("HelperNoStopSignal").arg(SystemReason(errno)));
}

StopSignal::~StopSignal()
{
    ::close(m_fd);
}

void StopSignal::Raise()
{
    const std::uint64_t one = 1;
    // The counter only grows, so the descriptor stays readable once raised.
    [[maybe_unused]] const ssize_t written = ::write(m_fd, &one, sizeof one);
}

bool StopSignal::Raised() const
{
    pollfd p{m_fd, POLLIN, 0};
    return ::poll(&p, 1, 0) > 0;
}

HelperProcess::HelperProcess(const QString& program, const QStringList& arguments)
    : m_name(program.section(QLatin1Char('/'), -1))
{
    std::vector<QByteArray> encoded{QFile::encodeName(program)};
    for (const QString& argument : arguments)
        encoded.push_back(QFile::encodeName(argument));
    std::vector<char*> argv;
    for (QByteArray& item : encoded)
        argv.push_back(item.data());
    argv.push_back(nullptr);

    SpawnSetup setup;
    // No signal mask or ignored signal of the calling thread is inherited.
    sigset_t signalSet;
    sigemptyset(&signalSet);
    posix_spawnattr_setsigmask(&setup.attributes, &signalSet);
    sigfillset(&signalSet);
    sigdelset(&signalSet, SIGKILL);
    sigdelset(&signalSet, SIGSTOP);
    posix_spawnattr_setsigdefault(&setup.attributes, &signalSet);
    posix_spawnattr_setflags(&setup.attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0)
        fail(HelperFailure::NotStarted, "HelperNoSocket");
    m_socket = ends[0];
    // The other end becomes the child's standard input and output; every other
    // descriptor from 3 up is closed, whether or not it was opened close-on-exec.
    posix_spawn_file_actions_adddup2(&setup.actions, ends[1], 0);
    posix_spawn_file_actions_adddup2(&setup.actions, ends[1], 1);
    posix_spawn_file_actions_addclosefrom_np(&setup.actions, 3);

    const int error = ::posix_spawn(&m_pid, argv[0], &setup.actions, &setup.attributes, argv.data(), environ);
    ::close(ends[1]);
    if (error != 0) {
        ::close(m_socket);
        throw HelperFailure(HelperFailure::NotStarted, Message("HelperCannotStart").arg(program).arg(SystemReason(error)));
    }
    ::fcntl(m_socket, F_SETFL, ::fcntl(m_socket, F_GETFL) | O_NONBLOCK);
}

HelperProcess::~HelperProcess()
{
    if (m_socket >= 0)
        ::close(m_socket);
    if (!m_reaped) {
        ::kill(m_pid, SIGKILL);
        while (::waitpid(m_pid, nullptr, 0) < 0 && errno == EINTR) {
        }
    }
}

void HelperProcess::fail(HelperFailure::Reason reason, const char* whatKey) const
{
    throw HelperFailure(reason, Message("HelperFailed").arg(m_name).arg(Message(whatKey)));
}

bool HelperProcess::ready(short events, Deadline deadline, const StopSignal* stop)
{
    for (;;) {
        pollfd fds[2] = {{m_socket, events, 0}, {stop ? stop->Descriptor() : -1, POLLIN, 0}};
        const int count = ::poll(fds, 2, millisecondsLeft(deadline));
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            fail(HelperFailure::Crashed, "HelperCannotWait");
        if (fds[1].revents != 0)
            fail(HelperFailure::Stopped, "HelperStopped");
        if (fds[0].revents != 0)
            return true;
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
    }
}

void HelperProcess::waitFor(short events, Deadline deadline, const StopSignal* stop)
{
    if (!ready(events, deadline, stop))
        fail(HelperFailure::TimedOut, "HelperNoAnswer");
}

bool HelperProcess::WaitForInput(Deadline deadline, const StopSignal* stop)
{
    return ready(POLLIN, deadline, stop);
}

void HelperProcess::Write(QByteArrayView bytes, Deadline deadline, const StopSignal* stop)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::send(m_socket, bytes.data() + done, size_t(bytes.size() - done), MSG_NOSIGNAL);
        if (n > 0) {
            done += n;
        } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            waitFor(POLLOUT, deadline, stop);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else {
            fail(HelperFailure::Crashed, "HelperStoppedReading");
        }
    }
}

void HelperProcess::WriteFrame(QByteArrayView payload, Deadline deadline, const StopSignal* stop)
{
    // One write for the length and the bytes: one request, one wake-up of the helper.
    const auto size = static_cast<std::uint32_t>(payload.size());
    QByteArray frame(reinterpret_cast<const char*>(&size), sizeof size);
    frame.append(payload);
    Write(frame, deadline, stop);
}

void HelperProcess::readExactly(char* into, qsizetype size, Deadline deadline, const StopSignal* stop)
{
    qsizetype done = 0;
    while (done < size) {
        const ssize_t n = ::recv(m_socket, into + done, size_t(size - done), 0);
        if (n > 0)
            done += n;
        else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            waitFor(POLLIN, deadline, stop);
        else if (n < 0 && errno == EINTR)
            continue;
        else
            fail(HelperFailure::Crashed, "HelperEndedEarly");
    }
}

QByteArray HelperProcess::ReadFrame(qsizetype maxSize, Deadline deadline, const StopSignal* stop)
{
    std::uint32_t size = 0;
    readExactly(reinterpret_cast<char*>(&size), sizeof size, deadline, stop);
    if (size > std::uint64_t(maxSize))
        fail(HelperFailure::Oversized, "HelperAnswerTooLong");
    QByteArray payload(qsizetype(size), Qt::Uninitialized);
    readExactly(payload.data(), payload.size(), deadline, stop);
    return payload;
}

void HelperProcess::CloseInput()
{
    ::shutdown(m_socket, SHUT_WR);
}

QByteArray HelperProcess::ReadToExit(qsizetype maxSize, Deadline deadline, const StopSignal* stop)
{
    QByteArray bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::recv(m_socket, buffer, sizeof buffer, 0);
        if (n > 0) {
            if (bytes.size() + n > maxSize)
                fail(HelperFailure::Oversized, "HelperAnswerTooLong");
            bytes.append(buffer, n);
        } else if (n == 0) {
            break;
        } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
            waitFor(POLLIN, deadline, stop);
        } else if (errno != EINTR) {
            fail(HelperFailure::Crashed, "HelperOutputBroke");
        }
    }
    waitForExit(deadline, stop);
    return bytes;
}

void HelperProcess::waitForExit(Deadline deadline, const StopSignal* stop)
{
    // Its output is closed, so it is ending; look every few milliseconds.
    for (;;) {
        int status = 0;
        const pid_t done = ::waitpid(m_pid, &status, WNOHANG);
        if (done < 0 && errno == EINTR)
            continue;
        if (done == m_pid || done < 0) {
            m_reaped = true;
            if (done < 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
                fail(HelperFailure::Crashed, "HelperEndedFailing");
            return;
        }
        if (stop && stop->Raised())
            fail(HelperFailure::Stopped, "HelperStopped");
        if (std::chrono::steady_clock::now() >= deadline)
            fail(HelperFailure::TimedOut, "HelperDidNotEnd");
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

} // namespace reelkeep
