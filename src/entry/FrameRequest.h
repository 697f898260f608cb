// One frame asked of the helper executable reelkeep-frame-grabber and its answer:
// where in the film, how large at most and how well compressed, then either the
// frame as a JPEG file's bytes or why there is none.
#pragma once

#include <QByteArray>
#include <QString>

#include "Message.h"

namespace reelkeep {

// A frame as a record keeps it: longest side at most this, JPEG of this quality.
constexpr int kFrameLongestSide = 1024;
constexpr int kFrameJpegQuality = 85;

struct FrameRequest {
    QString path;
    double percent = 10; // of the film's length, 0 to 100
    int longestSide = kFrameLongestSide;
    int quality = kFrameJpegQuality;
};

QByteArray EncodeFrameRequest(const FrameRequest& request);
// HelperFailure(Garbled) on bytes that are no request, or one out of range.
FrameRequest DecodeFrameRequest(QByteArrayView bytes);

QByteArray EncodeFrame(const QByteArray& jpeg);
QByteArray EncodeFrameError(const Message& message);
// The JPEG bytes; throws FileError with the helper's message when it found no frame,
// HelperFailure(Garbled) on an answer that is neither.
QByteArray DecodeFrameAnswer(QByteArrayView answer);

} // namespace reelkeep
