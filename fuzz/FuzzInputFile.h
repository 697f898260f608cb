// The readers take file names, so each fuzz input is written to one scratch file
// per process first.
#pragma once

#include <QDir>
#include <QFile>
#include <QString>
#include <cstdint>
#include <unistd.h>

namespace reelkeep::fuzzing {

inline QString WriteInputFile(const uint8_t* data, size_t size, const char* extension)
{
    static const QString fileName = QDir::temp().filePath(
        QStringLiteral("reelkeep-fuzz-%1.%2").arg(::getpid()).arg(QString::fromLatin1(extension)));
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || file.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size))
        abort();
    return fileName;
}

} // namespace reelkeep::fuzzing
