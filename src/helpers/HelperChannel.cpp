#include "HelperChannel.h"

#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <unistd.h>

namespace reelkeep::helper {
namespace {

// Where answers go; standard output until KeepAnswersApart moves them.
int answerDescriptor = 1;

bool readExactly(char* into, qsizetype size)
{
    qsizetype done = 0;
    while (done < size) {
        const ssize_t n = ::read(0, into + done, size_t(size - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

} // namespace

void KeepAnswersApart()
{
    const int moved = ::fcntl(1, F_DUPFD_CLOEXEC, 3);
    if (moved >= 0 && ::dup2(2, 1) == 1)
        answerDescriptor = moved;
}

std::optional<QByteArray> ReadFrame()
{
    std::uint32_t size = 0;
    if (!readExactly(reinterpret_cast<char*>(&size), sizeof size))
        return std::nullopt;
    QByteArray payload(qsizetype(size), Qt::Uninitialized);
    if (!readExactly(payload.data(), payload.size()))
        return std::nullopt;
    return payload;
}

std::optional<QByteArray> ReadAllInput()
{
    QByteArray bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(0, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return std::nullopt;
        if (n == 0)
            return bytes;
        bytes.append(buffer, n);
    }
}

bool Write(QByteArrayView bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(answerDescriptor, bytes.data() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

bool WriteFrame(QByteArrayView payload)
{
    const auto size = static_cast<std::uint32_t>(payload.size());
    QByteArray frame(reinterpret_cast<const char*>(&size), sizeof size);
    frame.append(payload);
    return Write(frame);
}

} // namespace reelkeep::helper
