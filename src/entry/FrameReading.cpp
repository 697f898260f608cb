#include "FrameReading.h"

#include "LoadLimits.h"
#include "ReelkeepError.h"

#include <QBuffer>
#include <QImage>
#include <algorithm>
#include <cmath>
#include <memory>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

namespace reelkeep {
namespace {

struct FormatCloser {
    void operator()(AVFormatContext* context) const { avformat_close_input(&context); }
};
struct CodecFreer {
    void operator()(AVCodecContext* context) const { avcodec_free_context(&context); }
};
struct PacketFreer {
    void operator()(AVPacket* packet) const { av_packet_free(&packet); }
};
struct FrameFreer {
    void operator()(AVFrame* frame) const { av_frame_free(&frame); }
};
struct ScalerFreer {
    void operator()(SwsContext* scaler) const { sws_freeContext(scaler); }
};

class FrameTaker {
public:
    explicit FrameTaker(const FrameRequest& request) : m_request(request) {}

    QByteArray take()
    {
        open();
        seek();
        return toJpeg(decodeKeyFrame());
    }

private:
    [[noreturn]] void fail(const Message& why) const
    {
        throw FileError(Message("NoFrame").arg(m_request.path).arg(why));
    }

    void open()
    {
        AVFormatContext* format = nullptr;
        if (avformat_open_input(&format, m_request.path.toUtf8().constData(), nullptr, nullptr) < 0)
            fail(Message("FrameNotVideo"));
        m_format.reset(format);
        if (avformat_find_stream_info(m_format.get(), nullptr) < 0)
            fail(Message("FrameStreamsUnreadable"));
        const AVCodec* codec = nullptr;
        m_stream = av_find_best_stream(m_format.get(), AVMEDIA_TYPE_VIDEO, -1, -1, &codec, 0);
        if (m_stream < 0 || !codec)
            fail(Message("FrameNoVideo"));
        const AVCodecParameters* parameters = m_format->streams[m_stream]->codecpar;
        if (parameters->width <= 0 || parameters->height <= 0)
            fail(Message("FrameNoSize"));
        if (qint64(parameters->width) * parameters->height > kMaxImagePixels)
            fail(Message("FrameTooLarge")
                     .arg(parameters->width)
                     .arg(parameters->height)
                     .arg(kMaxImagePixels / 1000000));
        m_codec.reset(avcodec_alloc_context3(codec));
        if (!m_codec || avcodec_parameters_to_context(m_codec.get(), parameters) < 0)
            fail(Message("FrameNotDecodable"));
        // Only key frames are wanted: the decoder drops every other frame unseen.
        m_codec->skip_frame = AVDISCARD_NONKEY;
        m_codec->thread_type = FF_THREAD_SLICE;
        if (avcodec_open2(m_codec.get(), codec, nullptr) < 0)
            fail(Message("FrameNotDecodable"));
    }

    // To the key frame at or before the asked point; a file that cannot seek is read from its start.
    void seek()
    {
        const AVStream* stream = m_format->streams[m_stream];
        const int64_t start = stream->start_time != AV_NOPTS_VALUE ? stream->start_time : 0;
        int64_t length = stream->duration;
        if (length == AV_NOPTS_VALUE || length <= 0)
            length = m_format->duration != AV_NOPTS_VALUE ? av_rescale_q(m_format->duration, AV_TIME_BASE_Q, stream->time_base) : 0;
        if (length <= 0)
            return;
        const int64_t target = start + static_cast<int64_t>(std::llround(static_cast<double>(length) * m_request.percent / 100));
        if (av_seek_frame(m_format.get(), m_stream, target, AVSEEK_FLAG_BACKWARD) < 0)
            av_seek_frame(m_format.get(), m_stream, target, 0);
        avcodec_flush_buffers(m_codec.get());
    }

    std::unique_ptr<AVFrame, FrameFreer> decodeKeyFrame()
    {
        std::unique_ptr<AVPacket, PacketFreer> packet(av_packet_alloc());
        std::unique_ptr<AVFrame, FrameFreer> frame(av_frame_alloc());
        if (!packet || !frame)
            fail(Message("FrameNoMemory"));
        bool ended = false;
        while (true) {
            const int received = avcodec_receive_frame(m_codec.get(), frame.get());
            if (received == 0)
                return frame;
            if (received != AVERROR(EAGAIN) || ended)
                fail(Message("FrameNoneThere"));
            if (av_read_frame(m_format.get(), packet.get()) < 0) {
                ended = true;
                avcodec_send_packet(m_codec.get(), nullptr);
                continue;
            }
            if (packet->stream_index == m_stream)
                avcodec_send_packet(m_codec.get(), packet.get()); // a damaged packet is skipped
            av_packet_unref(packet.get());
        }
    }

    QByteArray toJpeg(const std::unique_ptr<AVFrame, FrameFreer>& frame) const
    {
        if (frame->width <= 0 || frame->height <= 0 || qint64(frame->width) * frame->height > kMaxImagePixels
            || frame->format < 0)
            fail(Message("FrameNoneThere"));
        // Non-square pixels are shown at the film's display aspect.
        AVRational pixel = frame->sample_aspect_ratio;
        if (pixel.num <= 0 || pixel.den <= 0)
            pixel = m_format->streams[m_stream]->sample_aspect_ratio;
        const double pixelAspect = pixel.num > 0 && pixel.den > 0 ? av_q2d(pixel) : 1.0;
        const double shownWidth = frame->width * pixelAspect;
        const double shownHeight = frame->height;
        const double scale = std::min(1.0, m_request.longestSide / std::max(shownWidth, shownHeight));
        const int width = std::max(1, static_cast<int>(std::lround(shownWidth * scale)));
        const int height = std::max(1, static_cast<int>(std::lround(shownHeight * scale)));
        std::unique_ptr<SwsContext, ScalerFreer> scaler(sws_getContext(frame->width, frame->height,
                                                                       static_cast<AVPixelFormat>(frame->format), width, height,
                                                                       AV_PIX_FMT_RGB24, SWS_AREA, nullptr, nullptr, nullptr));
        if (!scaler)
            fail(Message("FrameNotConvertible"));
        QImage image(width, height, QImage::Format_RGB888);
        if (image.isNull())
            fail(Message("FrameNoMemory"));
        uint8_t* const planes[] = {image.bits(), nullptr, nullptr, nullptr};
        const int strides[] = {static_cast<int>(image.bytesPerLine()), 0, 0, 0};
        sws_scale(scaler.get(), frame->data, frame->linesize, 0, frame->height, planes, strides);
        QByteArray jpeg;
        QBuffer buffer(&jpeg);
        buffer.open(QIODevice::WriteOnly);
        if (!image.save(&buffer, "JPEG", m_request.quality))
            fail(Message("FrameNotJpeg"));
        return jpeg;
    }

    const FrameRequest& m_request;
    std::unique_ptr<AVFormatContext, FormatCloser> m_format;
    std::unique_ptr<AVCodecContext, CodecFreer> m_codec;
    int m_stream = -1;
};

} // namespace

QByteArray ReadFrameInProcess(const FrameRequest& request)
{
    return FrameTaker(request).take();
}

} // namespace reelkeep
