// Limits every catalogue reader applies, so that a small hostile file cannot make a
// load take all the memory of the machine.
#pragma once

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

} // namespace reelkeep
