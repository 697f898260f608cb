// Limits every catalogue reader applies, so that a small hostile file cannot make a
// load take all the memory of the machine.
#pragma once

#include "Message.h"

#include <QString>
#include <QtGlobal>
#include <limits>

namespace reelkeep {

// The most text, in bytes, a load may expand a file of fileSize bytes into (XML
// entity references, the shared strings of an .xls workbook): 64 × the file size
// plus 64 MiB. A file that would expand further is refused.
constexpr qint64 kExpansionFactor = 64;
constexpr qint64 kExpansionAllowance = qint64(64) << 20;

constexpr qint64 MaxExpandedTextBytes(qint64 fileSize)
{
    if (fileSize > (std::numeric_limits<qint64>::max() - kExpansionAllowance) / kExpansionFactor)
        return std::numeric_limits<qint64>::max();
    return kExpansionFactor * qMax<qint64>(fileSize, 0) + kExpansionAllowance;
}

// The largest image a record may hold, in bytes of its file: the image panel
// refuses a bigger file and every reader a catalogue holding one, so that no file
// brings in what the panel would not take.
constexpr qint64 kMaxImageBytes = qint64(32) << 20;

// The most pixels an image may decode to: a small compressed file can claim a
// picture that would take gigabytes, so the size in its header is checked first.
constexpr qint64 kMaxImagePixels = qint64(64) * 1000 * 1000;

// "N bytes, over the limit ...": why an image is refused, after a place that names it.
inline Message ImageOverLimit(qint64 size)
{
    return Message("ImageOverLimit").arg(size).arg(kMaxImageBytes >> 20).count(size);
}

} // namespace reelkeep
