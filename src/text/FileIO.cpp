#include "FileIO.h"

#include "ReelkeepError.h"

#include <QFile>
#include <QRandomGenerator>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

namespace reelkeep {
namespace {

constexpr qsizetype kBufferSize = 1 << 20;
constexpr char kTemporaryInfix[] = ".saving-";
constexpr int kRandomLength = 6;
constexpr time_t kStaleSeconds = 60;

Message fileKind(mode_t mode)
{
    if (S_ISDIR(mode))
        return Message("KindFolder");
    if (S_ISFIFO(mode))
        return Message("KindNamedPipe");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return Message("KindDevice");
    if (S_ISSOCK(mode))
        return Message("KindSocket");
    return Message("KindNotRegular");
}

bool isTemporaryOf(const char* entry, const QByteArray& prefix)
{
    if (std::strncmp(entry, prefix.constData(), size_t(prefix.size())) != 0)
        return false;
    const char* rest = entry + prefix.size();
    int n = 0;
    for (; rest[n] != '\0'; ++n)
        if (!std::isalnum(static_cast<unsigned char>(rest[n])))
            return false;
    return n == kRandomLength;
}

// Temporaries of this target's name pattern left by a save that was killed.
void removeStaleTemporaries(const QByteArray& folder, const QByteArray& prefix)
{
    DIR* dir = opendir(folder.constData());
    if (!dir)
        return;
    const time_t now = std::time(nullptr);
    while (const dirent* entry = readdir(dir)) {
        if (!isTemporaryOf(entry->d_name, prefix))
            continue;
        struct stat st {};
        if (fstatat(dirfd(dir), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode)
            && st.st_mtime < now - kStaleSeconds)
            unlinkat(dirfd(dir), entry->d_name, 0);
    }
    closedir(dir);
}

// The old file's mode (a read-only mark too) and, where the system lets us, its
// owner and group; another user's group is simply not kept. 0 or an errno value.
int keepOwnerAndMode(int fd, const struct stat& old)
{
    [[maybe_unused]] const bool ownerKept
        = ::fchown(fd, old.st_uid, old.st_gid) == 0 || ::fchown(fd, uid_t(-1), old.st_gid) == 0;
    return ::fchmod(fd, old.st_mode & 07777) == 0 ? 0 : errno;
}

void syncFolder(const QByteArray& folder)
{
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd); // best effort: the rename is done either way
        ::close(fd);
    }
}

} // namespace

Message ReasonOf(int error)
{
    switch (error) {
    case ENOSPC:
    case EDQUOT:
        return Message("DiskFull");
    case EFBIG:
        return Message("FileTooLarge");
    case EROFS:
        return Message("DiskReadOnly");
    case EACCES:
    case EPERM:
        return Message("PermissionDenied");
    case EIO:
        return Message("DiskInputOutput");
    default: {
        QString text = QString::fromLocal8Bit(std::strerror(error));
        if (!text.isEmpty())
            text[0] = text[0].toLower();
        return Message::Verbatim(text);
    }
    }
}

// Opens a regular file (links followed): a named pipe would block the program, a
// device could be endless.
void openForReading(QFile& file)
{
    struct stat st {};
    if (::stat(QFile::encodeName(file.fileName()).constData(), &st) == 0 && !S_ISREG(st.st_mode))
        throw FileError(Message("CannotOpenNotReadable").arg(file.fileName()).arg(fileKind(st.st_mode)));
    if (!file.open(QIODevice::ReadOnly))
        throw FileError(Message("CannotOpen").arg(file.fileName()).arg(DeviceReason(file.errorString())));
}

FileError CannotRead(const QString& fileName, const QString& reason)
{
    return FileError(Message("CannotRead").arg(fileName).arg(DeviceReason(reason)));
}

Message DeviceReason(const QString& errorString)
{
    if (errorString == QLatin1String("Permission denied"))
        return Message("SystemPermissionDenied");
    if (errorString == QLatin1String("No such file or directory"))
        return Message("SystemNoSuchFile");
    return Message::Verbatim(errorString);
}

QByteArray ReadWholeFile(const QString& fileName)
{
    QFile file(fileName);
    openForReading(file);
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw CannotRead(fileName, file.errorString());
    return bytes;
}

QByteArray ReadFileStart(const QString& fileName, qint64 maxBytes)
{
    QFile file(fileName);
    openForReading(file);
    QByteArray bytes = file.read(maxBytes);
    if (file.error() != QFileDevice::NoError)
        throw CannotRead(fileName, file.errorString());
    return bytes;
}

AtomicFile::AtomicFile(const QString& fileName) : m_fileName(fileName), m_target(QFile::encodeName(fileName))
{
    struct stat st {};
    if (::lstat(m_target.constData(), &st) == 0) {
        if (S_ISLNK(st.st_mode)) {
            char resolved[PATH_MAX];
            if (!::realpath(m_target.constData(), resolved))
                throw FileError(Message("CannotSaveDanglingLink").arg(fileName));
            m_target = resolved;
            if (::stat(m_target.constData(), &st) != 0)
                fail(errno);
        }
        if (!S_ISREG(st.st_mode))
            throw FileError(Message("CannotSaveNotRegular").arg(fileName).arg(fileKind(st.st_mode)));
        if (::access(m_target.constData(), W_OK) != 0)
            throw FileError(errno == EACCES ? Message("CannotSaveReadOnly").arg(fileName)
                                            : Message("CannotSave").arg(fileName).arg(ReasonOf(errno)));
        m_existed = true;
        m_old = st;
    } else if (errno != ENOENT) {
        fail(errno);
    }

    const qsizetype slash = m_target.lastIndexOf('/');
    m_folder = slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : m_target.left(slash);
    removeStaleTemporaries(m_folder, m_target.mid(slash + 1) + kTemporaryInfix);

    static constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; m_fd < 0; ++attempt) {
        QByteArray name = m_target + kTemporaryInfix;
        for (int i = 0; i < kRandomLength; ++i)
            name += kAlphabet[QRandomGenerator::global()->bounded(int(sizeof kAlphabet - 1))];
        m_fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (m_fd < 0 && (errno != EEXIST || attempt == 100))
            fail(errno);
        m_temporary = name;
    }
    m_temporaryName = QFile::decodeName(m_temporary);
    if (m_existed) {
        if (const int error = keepOwnerAndMode(m_fd, m_old)) {
            ::close(std::exchange(m_fd, -1));
            ::unlink(m_temporary.constData());
            fail(error);
        }
    }
}

AtomicFile::~AtomicFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
    if (!m_committed && !m_temporary.isEmpty())
        ::unlink(m_temporary.constData());
}

void AtomicFile::fail(int error) const
{
    throw FileError(Message(m_existed ? "CannotSaveUnchanged" : "CannotSave").arg(m_fileName).arg(ReasonOf(error)));
}

void AtomicFile::write(QByteArrayView bytes)
{
    if (m_buffer.size() + bytes.size() <= kBufferSize) {
        m_buffer.append(bytes.data(), bytes.size());
        if (m_buffer.size() == kBufferSize)
            flushBuffer();
        return;
    }
    flushBuffer();
    writeAll(bytes.data(), bytes.size()); // large blocks go straight to the file, uncopied
}

void AtomicFile::flushBuffer()
{
    writeAll(m_buffer.constData(), m_buffer.size());
    m_buffer.clear();
}

void AtomicFile::writeAll(const char* data, qsizetype left)
{
    while (left > 0) {
        const ssize_t written = ::write(m_fd, data, size_t(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            fail(errno);
        }
        if (written == 0)
            fail(ENOSPC);
        data += written;
        left -= written;
    }
}

void AtomicFile::finish(int fd)
{
    // On the disk before the rename, so a crash leaves the old file or the whole new one.
    const int synced = ::fsync(fd) == 0 ? 0 : errno;
    const int closed = ::close(fd) == 0 ? 0 : errno;
    if (synced || closed)
        fail(synced ? synced : closed);
    if (::rename(m_temporary.constData(), m_target.constData()) != 0)
        fail(errno);
    m_committed = true;
    syncFolder(m_folder);
}

void AtomicFile::commit()
{
    flushBuffer();
    finish(std::exchange(m_fd, -1));
}

bool AtomicFile::commitWrittenByName()
{
    ::close(std::exchange(m_fd, -1));
    struct stat st {};
    if (::lstat(m_temporary.constData(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_size == 0)
        return false;
    const int fd = ::open(m_temporary.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        fail(errno);
    // The writer may have made a new file of its own in the temporary's place.
    if (const int error = m_existed ? keepOwnerAndMode(fd, m_old) : 0) {
        ::close(fd);
        fail(error);
    }
    finish(fd);
    return true;
}

void WriteFileAtomically(const QString& fileName, QByteArrayView bytes)
{
    AtomicFile file(fileName);
    file.write(bytes);
    file.commit();
}

} // namespace reelkeep
