#include "FileFingerprint.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

namespace reelkeep {
namespace {

QByteArray hashOf(const QString& fileName, bool* ok)
{
    QFile file(fileName);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    *ok = file.open(QIODevice::ReadOnly) && hash.addData(&file);
    return hash.result();
}

} // namespace

FileFingerprint FileFingerprint::Of(const QString& fileName)
{
    FileFingerprint print;
    const QFileInfo info(fileName);
    if (!info.isFile())
        return print;
    bool ok = false;
    print.hash = hashOf(fileName, &ok);
    if (!ok)
        return {};
    print.exists = true;
    print.size = info.size();
    print.modified = info.lastModified();
    return print;
}

bool ChangedSince(const FileFingerprint& known, const QString& fileName)
{
    const QFileInfo info(fileName);
    if (info.isFile() != known.exists)
        return true;
    if (!known.exists)
        return false;
    if (info.size() != known.size)
        return true;
    if (info.lastModified() == known.modified)
        return false;
    return FileFingerprint::Of(fileName).hash != known.hash;
}

} // namespace reelkeep
