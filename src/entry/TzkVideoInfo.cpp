#include "TzkVideoInfo.h"

#include "IntegerText.h"
#include "MediaValues.h"
#include "ReelkeepError.h"
#include "TextUtils.h"

#include <limits>

namespace reelkeep {
namespace {

QString none()
{
    return QStringLiteral("-");
}

} // namespace

void TzkVideoInfo::Load(const QString& fileName)
{
    MediaInfo = std::make_unique<TMediaInfoDll>();
    FileName = fileName;
    try {
        if (!MediaInfo->Open(fileName))
            throw FileError(QStringLiteral("The media information of the file \"%1\" cannot be read.").arg(fileName));
        read();
    } catch (...) {
        MediaInfo.reset();
        throw;
    }
    MediaInfo.reset();
}

void TzkVideoInfo::read()
{
    const TMediaInfoDll& mi = *MediaInfo;
    const auto general = [&mi](const char* parameter) { return mi.Get(StreamKind::General, 0, QString::fromLatin1(parameter)); };

    Title = general("Title");
    if (Title.isEmpty())
        Title = mi.Get(StreamKind::Video, 0, QStringLiteral("Title"));
    Copyright = general("Copyright");
    Comment = general("Comment");
    Genre = general("Genre");
    const QString size = general("FileSize").trimmed();
    const std::optional<qint64> fileSize = ParseInteger(size, std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::max());
    FileSize = fileSize.value_or(0);
    if (!fileSize)
        throw ConversionError(QStringLiteral("\"%1\" is not a valid file size (file \"%2\").").arg(size, FileName));

    if (Video.empty())
        Video.resize(static_cast<size_t>(std::max(0, MediaInteger32(general("VideoCount")))));
    // Milliseconds to whole seconds, truncated toward zero; the field keeps the low 32 bits.
    const auto duration = static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(MediaInteger(general("PlayTime")) / 1000)));
    for (TzkVideoStream& v : Video) {
        v.Width = MediaInteger32(mi.Get(StreamKind::Video, 0, QStringLiteral("Width")));
        v.Height = MediaInteger32(mi.Get(StreamKind::Video, 0, QStringLiteral("Height")));
        const QString rateText = mi.Get(StreamKind::Video, 0, QStringLiteral("FrameRate"));
        const std::optional<double> rate = MediaFrameRate(rateText);
        if (!rate)
            throw ConversionError(QStringLiteral("\"%1\" is not a valid frame rate (file \"%2\").").arg(rateText, FileName));
        if (*rate > 0)
            v.FrameRate = static_cast<float>(*rate);
        v.Duration = duration;
        v.BitRate = MediaDecimal(mi.Get(StreamKind::Video, 0, QStringLiteral("BitRate")));
        v.Codec = ReplaceAll(mi.Get(StreamKind::Video, 0, QStringLiteral("Codec/String")), QStringLiteral("Intel H.264"),
                             QStringLiteral("H.264"), false);
    }

    if (Audio.empty())
        Audio.resize(static_cast<size_t>(std::max(0, MediaInteger32(general("AudioCount")))));
    for (size_t i = 0; i < Audio.size(); ++i) {
        TzkAudioStream& a = Audio[i];
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

    if (SubtitleLanguages.isEmpty()) {
        const std::int32_t count = std::max(0, MediaInteger32(general("TextCount")));
        for (std::int32_t i = 0; i < count; ++i)
            SubtitleLanguages.append(QString());
    }
    for (qsizetype i = 0; i < SubtitleLanguages.size(); ++i)
        SubtitleLanguages[i] = mi.Get(StreamKind::Text, static_cast<int>(i), QStringLiteral("Language/String"));

    if (Video.empty())
        Video.emplace_back();
    VideoCount = static_cast<std::int32_t>(Video.size());
    AudioCount = static_cast<std::int32_t>(Audio.size());
    TextCount = static_cast<std::int32_t>(SubtitleLanguages.size());
}

template <typename Item>
QString TzkVideoInfo::audioList(const QString& separator, Item item) const
{
    if (Audio.empty())
        return none();
    QString list;
    for (const TzkAudioStream& a : Audio)
        list = AppendItem(list, item(a), separator);
    return list;
}

QString TzkVideoInfo::AudTypes(const QString& separator) const
{
    return audioList(separator, [](const TzkAudioStream& a) { return a.Codec; });
}

QString TzkVideoInfo::AudChannels(const QString& separator) const
{
    return audioList(separator, [](const TzkAudioStream& a) { return QString::number(a.Channels); });
}

QString TzkVideoInfo::AudBitRates(const QString& separator) const
{
    return audioList(separator, [](const TzkAudioStream& a) { return QString::number(a.BitRate / 1000); });
}

QString TzkVideoInfo::AudLanguages(const QString& separator) const
{
    return audioList(separator, [](const TzkAudioStream& a) { return a.Language; });
}

QString TzkVideoInfo::AudSampleRates(const QString& separator) const
{
    return audioList(separator, [](const TzkAudioStream& a) { return QString::number(a.SamplingRate); });
}

QString TzkVideoInfo::SubtitleLangs(const QString& separator) const
{
    if (SubtitleLanguages.isEmpty())
        return none();
    QString list;
    for (const QString& language : SubtitleLanguages)
        list = AppendItem(list, language + QStringLiteral("-sub"), separator);
    return list;
}

} // namespace reelkeep
