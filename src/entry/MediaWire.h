// The media of one file as reelkeep-media-reader sends it to the program: a
// status byte, then the fields of TzkVideoInfo or the error's kind and message.
#pragma once

#include "TzkVideoInfo.h"

#include <QByteArray>
#include <memory>

namespace reelkeep {

QByteArray EncodeMedia(const TzkVideoInfo& info);
// The error a reading raised, to be raised again on the program's side.
QByteArray EncodeMediaError(const std::exception& error);

// The media, or throws the error the helper reported; HelperFailure(Garbled) on
// an answer that is not one of the above.
std::shared_ptr<TzkVideoInfo> DecodeMedia(QByteArrayView answer);

} // namespace reelkeep
