#include "MediaReading.h"

#include "IntegerText.h"
#include "MediaValues.h"
#include "ReelkeepError.h"
#include "TMediaInfoDll.h"
#include "TextUtils.h"

#include <limits>

namespace reelkeep {
namespace {

void readInto(TzkVideoInfo& info, const TMediaInfoDll& mi)
{
    const auto general = [&mi](const char* parameter) { return mi.Get(StreamKind::General, 0, QString::fromLatin1(parameter)); };

    info.Title = general("Title");
    if (info.Title.isEmpty())
        info.Title = mi.Get(StreamKind::Video, 0, QStringLiteral("Title"));
    info.Copyright = general("Copyright");
    info.Comment = general("Comment");
    info.Genre = general("Genre");
    const QString size = general("FileSize").trimmed();
    const std::optional<qint64> fileSize = ParseInteger(size, std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::max());
    info.FileSize = fileSize.value_or(0);
    if (!fileSize)
        throw ConversionError(Message("MediaBadFileSize").arg(size).arg(info.FileName));

    if (info.Video.empty())
        info.Video.resize(static_cast<size_t>(std::max(0, MediaInteger32(general("VideoCount")))));
    // Milliseconds to whole seconds, truncated toward zero; the field keeps the low 32 bits.
    const QString playTime = general("PlayTime");
    const auto duration = static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(MediaInteger(playTime) / 1000)));
    info.LengthRead = !info.Video.empty() && !playTime.trimmed().isEmpty();
    for (TzkVideoStream& v : info.Video) {
        v.Width = MediaInteger32(mi.Get(StreamKind::Video, 0, QStringLiteral("Width")));
        v.Height = MediaInteger32(mi.Get(StreamKind::Video, 0, QStringLiteral("Height")));
        const QString rateText = mi.Get(StreamKind::Video, 0, QStringLiteral("FrameRate"));
        const std::optional<double> rate = MediaFrameRate(rateText);
        if (!rate)
            throw ConversionError(Message("MediaBadFrameRate").arg(rateText).arg(info.FileName));
        if (*rate > 0)
            v.FrameRate = static_cast<float>(*rate);
        v.Duration = duration;
        v.BitRate = MediaDecimal(mi.Get(StreamKind::Video, 0, QStringLiteral("BitRate")));
        v.Codec = ReplaceAll(mi.Get(StreamKind::Video, 0, QStringLiteral("Codec/String")), QStringLiteral("Intel H.264"),
                             QStringLiteral("H.264"), false);
    }

    if (info.Audio.empty())
        info.Audio.resize(static_cast<size_t>(std::max(0, MediaInteger32(general("AudioCount")))));
    for (size_t i = 0; i < info.Audio.size(); ++i) {
        TzkAudioStream& a = info.Audio[i];
        const int n = static_cast<int>(i);
        if (a.Codec.isEmpty())
            a.Codec = mi.Get(StreamKind::Audio, n, QStringLiteral("Codec/String"));
        a.Codec = ReplaceAll(a.Codec, QStringLiteral("MPEG-1 Audio layer 3"), QStringLiteral("MP3"), false);
        a.Codec = ReplaceAll(a.Codec, QStringLiteral("MPEG-2 Audio layer 3"), QStringLiteral("MP3"), false);
        a.Language = mi.Get(StreamKind::Audio, n, QStringLiteral("Language/String"));
        a.SamplingRate = MediaInteger32(mi.Get(StreamKind::Audio, n, QStringLiteral("SamplingRate")));
        if (a.BitRate == 0)
            a.BitRate = MediaInteger32(mi.Get(StreamKind::Audio, n, QStringLiteral("BitRate")));
        if (a.Channels == 0)
            a.Channels = MediaInteger32(mi.Get(StreamKind::Audio, n, QStringLiteral("Channels")));
    }

    if (info.SubtitleLanguages.isEmpty()) {
        const std::int32_t count = std::max(0, MediaInteger32(general("TextCount")));
        for (std::int32_t i = 0; i < count; ++i)
            info.SubtitleLanguages.append(QString());
    }
    for (qsizetype i = 0; i < info.SubtitleLanguages.size(); ++i)
        info.SubtitleLanguages[i] = mi.Get(StreamKind::Text, static_cast<int>(i), QStringLiteral("Language/String"));

    if (info.Video.empty())
        info.Video.emplace_back();
    info.VideoCount = static_cast<std::int32_t>(info.Video.size());
    info.AudioCount = static_cast<std::int32_t>(info.Audio.size());
    info.TextCount = static_cast<std::int32_t>(info.SubtitleLanguages.size());
}

} // namespace

std::shared_ptr<TzkVideoInfo> ReadMediaInProcess(const QString& fileName)
{
    auto info = std::make_shared<TzkVideoInfo>();
    info->FileName = fileName;
    TMediaInfoDll library;
    if (!library.Open(fileName))
        throw FileError(Message("MediaNotOpened").arg(fileName));
    readInto(*info, library);
    return info;
}

} // namespace reelkeep
