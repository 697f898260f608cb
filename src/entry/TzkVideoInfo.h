// Everything record entry uses from one video file's media information, read
// once into plain fields, and the stream values as display lists.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

namespace reelkeep {

struct TzkVideoStream {
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    std::int32_t Duration = 0; // whole seconds
    float FrameRate = 0;       // 0 when not reported
    double BitRate = 0;        // bits per second
    QString Codec;
};

struct TzkAudioStream {
    QString Codec;
    QString Language;
    std::int32_t Channels = 0;
    std::int32_t BitRate = 0; // bits per second
    std::int32_t SamplingRate = 0;
};

class TzkVideoInfo {
public:
    // Reads the file through a media helper of its own (MediaExaminer keeps one
    // for many files); throws FileError naming it when it cannot be read.
    void Load(const QString& fileName);

    QString AudTypes(const QString& separator) const;
    QString AudChannels(const QString& separator) const;
    QString AudBitRates(const QString& separator) const; // kbit/s, truncated
    QString AudLanguages(const QString& separator) const;
    QString AudSampleRates(const QString& separator) const;
    QString SubtitleLangs(const QString& separator) const;

    QString FileName;
    std::vector<TzkVideoStream> Video;
    std::vector<TzkAudioStream> Audio;
    QStringList SubtitleLanguages;
    QString Title;
    QString Copyright;
    QString Comment;
    QString Genre;
    std::int64_t FileSize = 0;
    std::int32_t VideoCount = 0;
    std::int32_t AudioCount = 0;
    std::int32_t TextCount = 0;
    // False when the file reports no video stream or no play time: its length is taken as 0.
    bool LengthRead = false;

private:
    template <typename Item>
    QString audioList(const QString& separator, Item item) const;
};

} // namespace reelkeep
