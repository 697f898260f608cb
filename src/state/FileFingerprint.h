// What a window remembers of its file as loaded or last saved, to tell a change made
// by something else: size, modification time and a hash of the bytes.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace reelkeep {

struct FileFingerprint {
    bool exists = false;
    qint64 size = 0;
    QDateTime modified;
    QByteArray hash;

    // The file as it is now; a file that cannot be read counts as missing.
    static FileFingerprint Of(const QString& fileName);
};

// Whether the file on disk is no longer the one fingerprinted: a new size, or a new
// time with other bytes (a copy of the same bytes is no change).
bool ChangedSince(const FileFingerprint& known, const QString& fileName);

} // namespace reelkeep
