// What changed in a folder since its films were catalogued: the films with no record,
// the records whose file is gone and the records whose file moved (the same name and
// size elsewhere). Records are matched by their "%Path%" cell where the sheet has such
// a column, else (and for records with an empty path) by title and total size.
#pragma once

#include "FileNameSeparators.h"
#include "TZKList.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <vector>

namespace reelkeep {

// A video file a walk found, with its size in bytes.
struct FoundFile {
    QString Path;
    std::int64_t Bytes = 0;
};

struct MovedRecord {
    const TzkRow* Row = nullptr;
    QString From; // the path the record holds
    QString To;   // where the file is now
};

struct RescanReport {
    int PathColumn = -1;             // the "%Path%" column; -1 when matched by title and size
    QStringList NewFiles;            // the first part of each film without a record, in walk order
    std::vector<const TzkRow*> Gone; // records whose file under the folder is no longer there
    std::vector<MovedRecord> Moved;  // of those, the ones whose file was found elsewhere in the folder
};

// Matches the files of a walk of folder against every record of the list (nested ones
// too). The parts of a multi-part film count as one film, named by its first part and
// measured by the sum of its parts.
RescanReport MatchRescan(const TZKList& list, const QString& folder, const std::vector<FoundFile>& files,
                         const FileNameSeparators& separators);

// Walks folder as Add from folder does and measures every video file found; stops
// early, returning what it has, when cancelled says so.
std::vector<FoundFile> WalkForRescan(const QString& folder, const std::function<bool()>& cancelled = {});

// A path as records keep it: absolute and clean.
QString RecordPath(const QString& path);

} // namespace reelkeep
