// Whole-file reading and atomic writing with errors that name the file.
#pragma once

#include "Message.h"

#include <QByteArray>
#include <QString>
#include <sys/stat.h>

namespace reelkeep {

class FileError;

// Reads the whole file; throws FileError naming it when it cannot be read or is
// not a regular file (a named pipe, a device, a folder).
QByteArray ReadWholeFile(const QString& fileName);
// The first maxBytes bytes (fewer when the file is shorter), with the same checks.
QByteArray ReadFileStart(const QString& fileName, qint64 maxBytes);
// The error to throw when reading an open file fails, with the device's reason.
FileError CannotRead(const QString& fileName, const QString& reason);
// The reason a file device gives (the system's words), keyed where it is one of the
// common ones so that the interface says it in its own language.
Message DeviceReason(const QString& errorString);

// A file written through a temporary beside it ("NAME.saving-XXXXXX"): the old file
// is replaced only by commit(), after every byte was written and flushed to the disk,
// so a failure or a crash mid-save leaves it byte for byte as it was. The target
// must be a writable regular file (links are followed) or not exist yet; the new
// file keeps the old one's mode and, where allowed, its owner and group.
// Temporaries of the same name older than a minute, left by a save that was
// killed, are removed when the next save starts.
class AtomicFile {
public:
    explicit AtomicFile(const QString& fileName); // throws FileError
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    void write(QByteArrayView bytes); // throws FileError
    void commit();                    // throws FileError

    // For a writer outside this program (an export plug-in) that writes by name:
    // it writes temporaryName(), then commitWrittenByName() puts that file in
    // place. False, and the target untouched, when nothing was written.
    const QString& temporaryName() const { return m_temporaryName; }
    bool commitWrittenByName(); // throws FileError

private:
    void flushBuffer();
    void writeAll(const char* data, qsizetype size);
    void finish(int fd);
    [[noreturn]] void fail(int error) const;

    QString m_fileName;      // as the caller named it, for messages
    QByteArray m_target;     // the regular file replaced, links resolved
    QByteArray m_folder;     // where it and its temporary live
    QString m_temporaryName;
    QByteArray m_temporary;
    bool m_existed = false;
    struct stat m_old {};
    int m_fd = -1;
    bool m_committed = false;
    QByteArray m_buffer;
};

void WriteFileAtomically(const QString& fileName, QByteArrayView bytes);

// The system's reason for an errno value in words, e.g. "the disk is full".
Message ReasonOf(int error);

} // namespace reelkeep
