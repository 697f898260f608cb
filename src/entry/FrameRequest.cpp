#include "FrameRequest.h"

#include "MessageWire.h"
#include "ReelkeepError.h"

#include <cmath>

namespace reelkeep {
namespace {

enum Status : unsigned char { Taken, Failed };

[[noreturn]] void garbled(const char* what)
{
    throw HelperFailure(HelperFailure::Garbled, QString::fromLatin1(what));
}

} // namespace

QByteArray EncodeFrameRequest(const FrameRequest& request)
{
    WireWriter out;
    out.putText(request.path);
    out.put(request.percent);
    out.put(static_cast<std::int32_t>(request.longestSide));
    out.put(static_cast<std::int32_t>(request.quality));
    return out.bytes();
}

FrameRequest DecodeFrameRequest(QByteArrayView bytes)
{
    WireReader in(bytes);
    FrameRequest request;
    request.path = in.takeText();
    request.percent = in.take<double>();
    request.longestSide = in.take<std::int32_t>();
    request.quality = in.take<std::int32_t>();
    if (!in.atEnd() || !std::isfinite(request.percent) || request.percent < 0 || request.percent > 100)
        garbled("A frame request is damaged.");
    if (request.longestSide < 1 || request.longestSide > 16384 || request.quality < 0 || request.quality > 100)
        garbled("A frame request asks for an impossible picture.");
    return request;
}

QByteArray EncodeFrame(const QByteArray& jpeg)
{
    WireWriter out;
    out.put(static_cast<unsigned char>(Taken));
    out.putBytes(jpeg);
    return out.bytes();
}

QByteArray EncodeFrameError(const Message& message)
{
    WireWriter out;
    out.put(static_cast<unsigned char>(Failed));
    PutMessage(out, message);
    return out.bytes();
}

QByteArray DecodeFrameAnswer(QByteArrayView answer)
{
    WireReader in(answer);
    const auto status = in.take<unsigned char>();
    if (status == Failed) {
        Message why = TakeMessage(in);
        if (!in.atEnd())
            garbled("A frame answer is damaged.");
        throw FileError(std::move(why));
    }
    const QByteArrayView payload = in.takeBytes();
    if (!in.atEnd() || status != Taken)
        garbled("A frame answer is damaged.");
    return payload.toByteArray();
}

} // namespace reelkeep
