// Derives a film's title, foreign title and part count from its file name, and
// builds the names of the film's other part files.
#pragma once

#include "FileNameSeparators.h"

#include <QString>

namespace reelkeep {

class TzkFileNameParser {
public:
    explicit TzkFileNameParser(const FileNameSeparators& separators = {});

    void Parse(const QString& path);
    QString MakePartFileName(int n) const;

    bool IsDvd = false;
    QString Name;
    QString OrigName;
    // Folder of the file without a trailing separator; ProgramDir when the path has none.
    QString Dir;
    int PartsCount = 1;
    QString OrigNameSepBegin;
    QString OrigNameSepEnd;
    QString PartSepBegin;
    QString PartSepEnd;
    QString PartPrefix;
    QString PartSuffix;
    // The folder a bare file name is taken to be in; set by the creator.
    QString ProgramDir = QStringLiteral(".");

private:
    QString parseName(const QString& f) const;
    QString parseOrigName(const QString& f) const;
    void parseParts(const QString& f);
};

} // namespace reelkeep
