#include "PatternFilling.h"

#include "MediaValues.h"
#include "Rounding.h"
#include "TextUtils.h"
#include "TzkFileNameParser.h"
#include "TzkVideoInfo.h"

#include <array>
#include <utility>

namespace reelkeep {

FileValues FileValues::From(const TzkFileNameParser& parser, const TzkVideoInfo& media)
{
    const QString slash = QStringLiteral("/");
    const QString comma = QStringLiteral(", ");
    FileValues v;
    v.AudTypes = media.AudTypes(slash);
    v.AudChannels = media.AudChannels(slash);
    v.AudBitRates = media.AudBitRates(slash);
    v.AudLanguages = media.AudLanguages(comma);
    v.AudSampleRates = media.AudSampleRates(slash);
    v.SubtitleLangs = media.SubtitleLangs(comma);
    v.Name = parser.Name;
    v.Genre = media.Genre;
    v.Comment = media.Comment;
    v.Copyright = media.Copyright;
    v.OrigName = media.Title.isEmpty() ? parser.OrigName : media.Title;
    const TzkVideoStream& first = media.Video.front();
    v.VidWidth = first.Width;
    v.VidHeight = first.Height;
    v.VidType = first.Codec;
    v.VidFPS = first.FrameRate;
    v.VidBitRate = first.BitRate;
    v.FilesCount = parser.PartsCount;
    v.Today = QDate::currentDate();
    return v;
}

QString FillPattern(const QString& pattern, const FileValues& v, const LocaleFormats& formats)
{
    const std::int32_t seconds = v.TotalLength;
    const std::int32_t minutes = seconds / 60;
    const std::int32_t hours = seconds / 3600;
    QString fps = QStringLiteral("?");
    if (v.VidFPS != 0)
        fps = QString::number(static_cast<double>(v.VidFPS), 'g', 5).replace(QLatin1Char('.'), formats.decimalSeparator);
    const std::array<std::pair<const char*, QString>, 24> values{{
        {"%AudType%", v.AudTypes},
        {"%AudChannels%", v.AudChannels},
        {"%AudBitRate%", v.AudBitRates},
        {"%AudLanguages%", v.AudLanguages},
        {"%AudSampleRate%", v.AudSampleRates},
        {"%SubtitleLanguages%", v.SubtitleLangs},
        {"%Name%", v.Name},
        {"%Genre%", v.Genre},
        {"%Comment%", v.Comment},
        {"%Copyright%", v.Copyright},
        {"%OrigName%", v.OrigName},
        {"%Size%", QString::number(v.TotalSize)},
        {"%VidWidth%", QString::number(v.VidWidth)},
        {"%VidHeight%", QString::number(v.VidHeight)},
        {"%VidLength%", QString::number(minutes)},
        {"%VidHours%", QString::number(hours)},
        {"%VidMins%", QString::number(minutes - 60 * hours)},
        {"%VidSecs%", QString::number(seconds - 60 * minutes)},
        {"%VidType%", v.VidType},
        {"%VidFPS%", fps},
        {"%VidBitRate%", QString::number(RoundHalfEven(v.VidBitRate / 1024))},
        {"%Date%", formats.formatDate(v.Today)},
        {"%FilesCount%", QString::number(v.FilesCount)},
        {"%Path%", v.Path},
    }};
    QString text = pattern;
    for (const auto& [placeholder, value] : values)
        text = ReplaceAll(text, QString::fromLatin1(placeholder), value, false);
    return text;
}

} // namespace reelkeep
