// Whole-file reading and atomic writing with errors that name the file.
#pragma once

#include <QByteArray>
#include <QSaveFile>
#include <QString>

namespace reelkeep {

// Reads the whole file; throws FileError naming it when it cannot be read.
QByteArray ReadWholeFile(const QString& fileName);

// A file written through a temporary beside it: the old file is replaced only by
// commit(), so a failure or a crash mid-save leaves it intact.
class AtomicFile {
public:
    explicit AtomicFile(const QString& fileName); // throws FileError
    QIODevice& device() { return m_file; }
    void write(QByteArrayView bytes);             // throws FileError
    void commit();                                // throws FileError

private:
    QSaveFile m_file;
};

void WriteFileAtomically(const QString& fileName, QByteArrayView bytes);

} // namespace reelkeep
