#include "ImageDecoding.h"

#include "LoadLimits.h"

#include <QBuffer>
#include <QImageReader>

namespace reelkeep {

QImage ShrunkToFit(const QImage& image, QSize room)
{
    if (image.width() <= room.width() && image.height() <= room.height())
        return image;
    // Smooth scaling blends colours, which an image with a palette (a one-bit one above
    // all) cannot hold: it is shrunk as true colour.
    const QImage source = image.colorCount() > 0 ? image.convertToFormat(QImage::Format_ARGB32) : image;
    return source.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

DecodedImage DecodeImage(const QByteArray& bytes, QSize fitWithin)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    DecodedImage result;
    result.storedSize = reader.size();
    // A format that states no size is held by the allocation limit instead, which is the same.
    reader.setAllocationLimit(static_cast<int>(kMaxImagePixels * 4 >> 20));
    if (result.storedSize.isValid()
        && qint64(result.storedSize.width()) * result.storedSize.height() > kMaxImagePixels) {
        result.outcome = DecodedImage::Outcome::TooManyPixels;
        return result;
    }
    const bool shrink = fitWithin.isValid() && result.storedSize.isValid()
                        && (result.storedSize.width() > fitWithin.width() || result.storedSize.height() > fitWithin.height());
    if (shrink && reader.supportsOption(QImageIOHandler::ScaledSize))
        reader.setScaledSize(result.storedSize.scaled(fitWithin, Qt::KeepAspectRatio));
    QImage image = reader.read();
    if (image.isNull())
        return result;
    if (fitWithin.isValid())
        image = ShrunkToFit(image, fitWithin);
    result.outcome = DecodedImage::Outcome::Decoded;
    result.image = std::move(image);
    return result;
}

} // namespace reelkeep
