#include "MediaWire.h"

#include "MessageWire.h"
#include "ReelkeepError.h"

namespace reelkeep {
namespace {

enum ReadStatus : unsigned char { Read, FileFailure, ConversionFailure, OtherFailure };

// Counts of streams a real file has are small; more is a garbled answer.
constexpr std::uint32_t kMaxStreams = 1 << 16;

std::uint32_t takeCount(WireReader& in)
{
    const auto count = in.take<std::uint32_t>();
    if (count > kMaxStreams)
        throw HelperFailure(HelperFailure::Garbled, QStringLiteral("A helper's answer holds too many streams."));
    return count;
}

} // namespace

QByteArray EncodeMedia(const TzkVideoInfo& info)
{
    WireWriter out;
    out.put(static_cast<unsigned char>(Read));
    out.putText(info.FileName);
    out.put(static_cast<std::uint32_t>(info.Video.size()));
    for (const TzkVideoStream& v : info.Video) {
        out.put(v.Width);
        out.put(v.Height);
        out.put(v.Duration);
        out.put(v.FrameRate);
        out.put(v.BitRate);
        out.putText(v.Codec);
    }
    out.put(static_cast<std::uint32_t>(info.Audio.size()));
    for (const TzkAudioStream& a : info.Audio) {
        out.putText(a.Codec);
        out.putText(a.Language);
        out.put(a.Channels);
        out.put(a.BitRate);
        out.put(a.SamplingRate);
    }
    out.put(static_cast<std::uint32_t>(info.SubtitleLanguages.size()));
    for (const QString& language : info.SubtitleLanguages)
        out.putText(language);
    for (const QString* text : {&info.Title, &info.Copyright, &info.Comment, &info.Genre})
        out.putText(*text);
    out.put(info.FileSize);
    out.put(info.VideoCount);
    out.put(info.AudioCount);
    out.put(info.TextCount);
    out.put(static_cast<unsigned char>(info.LengthRead));
    return out.bytes();
}

QByteArray EncodeMediaError(const std::exception& error)
{
    WireWriter out;
    const auto* known = dynamic_cast<const ReelkeepError*>(&error);
    ReadStatus status = OtherFailure;
    if (dynamic_cast<const FileError*>(&error))
        status = FileFailure;
    else if (dynamic_cast<const ConversionError*>(&error))
        status = ConversionFailure;
    out.put(static_cast<unsigned char>(status));
    PutMessage(out, known ? known->text() : Message::Verbatim(QString::fromLocal8Bit(error.what())));
    return out.bytes();
}

std::shared_ptr<TzkVideoInfo> DecodeMedia(QByteArrayView answer)
{
    WireReader in(answer);
    const auto status = in.take<unsigned char>();
    if (status != Read) {
        Message message = TakeMessage(in);
        if (!in.atEnd())
            throw HelperFailure(HelperFailure::Garbled, QStringLiteral("A helper's answer is not the media of a file."));
        if (status == FileFailure)
            throw FileError(std::move(message));
        if (status == ConversionFailure)
            throw ConversionError(std::move(message));
        throw ReelkeepError(std::move(message));
    }
    auto info = std::make_shared<TzkVideoInfo>();
    info->FileName = in.takeText();
    info->Video.resize(takeCount(in));
    for (TzkVideoStream& v : info->Video) {
        v.Width = in.take<std::int32_t>();
        v.Height = in.take<std::int32_t>();
        v.Duration = in.take<std::int32_t>();
        v.FrameRate = in.take<float>();
        v.BitRate = in.take<double>();
        v.Codec = in.takeText();
    }
    info->Audio.resize(takeCount(in));
    for (TzkAudioStream& a : info->Audio) {
        a.Codec = in.takeText();
        a.Language = in.takeText();
        a.Channels = in.take<std::int32_t>();
        a.BitRate = in.take<std::int32_t>();
        a.SamplingRate = in.take<std::int32_t>();
    }
    for (std::uint32_t i = takeCount(in); i > 0; --i)
        info->SubtitleLanguages.append(in.takeText());
    for (QString* text : {&info->Title, &info->Copyright, &info->Comment, &info->Genre})
        *text = in.takeText();
    info->FileSize = in.take<std::int64_t>();
    info->VideoCount = in.take<std::int32_t>();
    info->AudioCount = in.take<std::int32_t>();
    info->TextCount = in.take<std::int32_t>();
    info->LengthRead = in.take<unsigned char>() != 0;
    // Record entry reads the first video stream of every file.
    if (info->Video.empty() || !in.atEnd())
        throw HelperFailure(HelperFailure::Garbled, QStringLiteral("A helper's answer is not the media of a file."));
    return info;
}

} // namespace reelkeep
