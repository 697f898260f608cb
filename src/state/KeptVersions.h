// Earlier versions of saved catalogues: before a save replaces a file, its bytes are
// kept under $XDG_STATE_HOME/reelkeep/versions/, one folder per catalogue path, the
// oldest dropped first beyond a number per catalogue and a size in all.
#pragma once

#include <QDateTime>
#include <QString>
#include <vector>

namespace reelkeep {

struct VersionLimits {
    int count = 10;                       // versions per catalogue
    qint64 bytes = 500LL * 1024 * 1024;   // all versions of all catalogues together
};

class zkOptions;
// The limits the settings set.
VersionLimits VersionLimitsOf(const zkOptions& options);

struct KeptVersion {
    int number = 0;     // 1 is the newest
    QString file;       // the kept copy
    QDateTime modified; // when that version was saved
    qint64 size = 0;
};

class TZKLists;
// The records of each list, nested ones included, as the versions list shows them: "12+3".
QString RecordCountsText(const TZKLists& lists);

class KeptVersions {
public:
    explicit KeptVersions(QString root = QString()); // empty: the state folder's

    // Keeps the catalogue's file as it is now (nothing when there is none) and drops
    // the oldest versions beyond the limits. Throws FileError when the copy fails.
    void Keep(const QString& catalogue, const VersionLimits& limits) const;
    // The catalogue's versions, newest first.
    std::vector<KeptVersion> List(const QString& catalogue) const;

private:
    QString folderOf(const QString& catalogue) const;
    void dropBeyond(const VersionLimits& limits, const QString& catalogue) const;

    QString m_root;
};

} // namespace reelkeep
