// Decoding the images records hold, with the size in the image's header checked
// before any pixel is decoded, so that no image file can claim all the memory.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

namespace reelkeep {

struct DecodedImage {
    enum class Outcome { Decoded, NotImage, TooManyPixels };
    Outcome outcome = Outcome::NotImage;
    QImage image;     // null unless Decoded
    QSize storedSize; // as the header states it; invalid when unknown
};

// The image, decoded at most to fit within (keeping its aspect) when fitWithin is valid,
// the reader scaling while it decodes where its format allows. Refused without
// decoding when the header claims more than kMaxImagePixels.
DecodedImage DecodeImage(const QByteArray& bytes, QSize fitWithin = {});
// The image scaled down, aspect kept, to fit the room; unchanged when it fits already.
QImage ShrunkToFit(const QImage& image, QSize room);

} // namespace reelkeep
