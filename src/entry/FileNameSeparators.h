// The four separators a video file name is cut by: around the foreign title
// and around the part information. Filled from the settings by whoever parses.
#pragma once

#include <QString>

namespace reelkeep {

class zkOptions;

struct FileNameSeparators {
    QString OrigNameSepBegin = QStringLiteral("(");
    QString OrigNameSepEnd = QStringLiteral(")");
    QString PartSepBegin = QStringLiteral("[");
    QString PartSepEnd = QStringLiteral("]");

    static FileNameSeparators From(const zkOptions& options);
};

} // namespace reelkeep
