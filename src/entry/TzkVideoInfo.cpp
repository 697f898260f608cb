#include "TzkVideoInfo.h"

#include "MediaExaminer.h"
#include "TextUtils.h"

namespace reelkeep {
namespace {

QString none()
{
    return QStringLiteral("-");
}

} // namespace

void TzkVideoInfo::Load(const QString& fileName)
{
    *this = *MediaExaminer().Examine(fileName);
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
