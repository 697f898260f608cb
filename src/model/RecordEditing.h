// Cell computations of record editing: the next automatic number, tidied name
// lists, picked values appended to a cell, and the row colour cell.
#pragma once

#include <QString>
#include <cstdint>

namespace reelkeep {

class TZKList;

// The highest number of column 0 over every record of the list (nested ones and
// filtered ones too) plus the disc count (column 4) of the record holding it; 1 for
// an empty list. Throws ConversionError for a cell that is not a whole number.
int NextRecordNumber(const TZKList& list);

// Runs of spaces and no-break spaces become one space, spaces beside "-", before ","
// and after "(", ")", "/", "{", "}" go, and the ends are trimmed; texts of one
// character are kept as they are.
QString TidyText(const QString& text);

// A picked value added to a cell: the value itself into an empty cell, else after ", ".
QString AppendPickedValue(const QString& cell, const QString& value);

// The colour cell of an RGB colour: 8 upper-case hex digits 00BBGGRR.
QString ColourCell(std::uint8_t red, std::uint8_t green, std::uint8_t blue);
// The 0xRRGGBB value a colour cell paints, white for an empty or non-hexadecimal cell.
std::uint32_t ColourOfCell(const QString& cell);
// Whether text on a background of this 0xRRGGBB colour reads better in white than in black.
bool WantsLightText(std::uint32_t rgb);

} // namespace reelkeep
