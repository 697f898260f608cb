// `media FILE`: everything the media information reader takes from a file, and
// the stream lists as records show them.
#include "Commands.h"
#include "EntryCommandSupport.h"
#include "TzkVideoInfo.h"

#include <QJsonArray>

namespace reelkeep::cli {

int RunMedia(CliContext&, const QStringList& args)
{
    if (args.size() != 1)
        throw UsageError{QStringLiteral("media needs exactly one file")};
    TzkVideoInfo info;
    info.Load(args[0]);
    QJsonArray video;
    for (const TzkVideoStream& v : info.Video)
        video.append(QJsonObject{
            {QStringLiteral("width"), v.Width},
            {QStringLiteral("height"), v.Height},
            {QStringLiteral("duration"), v.Duration},
            {QStringLiteral("frameRate"), static_cast<double>(v.FrameRate)},
            {QStringLiteral("bitRate"), v.BitRate},
            {QStringLiteral("codec"), v.Codec},
        });
    QJsonArray audio;
    for (const TzkAudioStream& a : info.Audio)
        audio.append(QJsonObject{
            {QStringLiteral("codec"), a.Codec},
            {QStringLiteral("language"), a.Language},
            {QStringLiteral("channels"), a.Channels},
            {QStringLiteral("bitRate"), a.BitRate},
            {QStringLiteral("samplingRate"), a.SamplingRate},
        });
    const QString slash = QStringLiteral("/");
    const QString comma = QStringLiteral(", ");
    WriteJson(QJsonObject{
        {QStringLiteral("fileName"), info.FileName},
        {QStringLiteral("fileSize"), static_cast<qint64>(info.FileSize)},
        {QStringLiteral("title"), info.Title},
        {QStringLiteral("copyright"), info.Copyright},
        {QStringLiteral("comment"), info.Comment},
        {QStringLiteral("genre"), info.Genre},
        {QStringLiteral("videoCount"), info.VideoCount},
        {QStringLiteral("audioCount"), info.AudioCount},
        {QStringLiteral("textCount"), info.TextCount},
        {QStringLiteral("video"), video},
        {QStringLiteral("audio"), audio},
        {QStringLiteral("subtitleLanguages"), QJsonArray::fromStringList(info.SubtitleLanguages)},
        {QStringLiteral("audTypes"), info.AudTypes(slash)},
        {QStringLiteral("audChannels"), info.AudChannels(slash)},
        {QStringLiteral("audBitRates"), info.AudBitRates(slash)},
        {QStringLiteral("audSampleRates"), info.AudSampleRates(slash)},
        {QStringLiteral("audLanguages"), info.AudLanguages(comma)},
        {QStringLiteral("subtitleLangs"), info.SubtitleLangs(comma)},
    });
    return ExitDone;
}

} // namespace reelkeep::cli
