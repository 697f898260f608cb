// The values gathered for one entered file and the filling of a column pattern
// with the record-building placeholders.
#pragma once

#include "LocaleFormats.h"

#include <QDate>
#include <QString>
#include <cstdint>

namespace reelkeep {

class TzkFileNameParser;
class TzkVideoInfo;

struct FileValues {
    QString AudTypes, AudChannels, AudBitRates, AudLanguages, AudSampleRates, SubtitleLangs;
    QString Name, Genre, Comment, Copyright, OrigName;
    std::int32_t TotalSize = 0;   // whole mebibytes
    std::int32_t TotalLength = 0; // seconds
    std::int32_t VidWidth = 0, VidHeight = 0;
    QString VidType;
    float VidFPS = 0;
    double VidBitRate = 0; // bits per second
    std::int32_t FilesCount = 1;
    QDate Today;
    QString Path; // the full path of the film's first part

    // Name parts and media values; the totals are the caller's.
    static FileValues From(const TzkFileNameParser& parser, const TzkVideoInfo& media);
};

// Fills the record-building placeholders of a pattern, in their fixed order.
QString FillPattern(const QString& pattern, const FileValues& values, const LocaleFormats& formats);

} // namespace reelkeep
