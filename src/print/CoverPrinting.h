// Printing the cover layout once for every disc of a record, with the record's
// values put into the layout's text boxes.
#pragma once

#include "PenStyles.h"

#include <QColor>
#include <QString>
#include <utility>
#include <vector>

namespace reelkeep {

class TzkPrinter;
class TzkRow;
class ZKCover;

struct CoverPen {
    std::uint8_t Style;
    float Width; // millimetres
    QColor Color;
};

struct CoverPrintSettings {
    QString CoverFile; // the full path of the layout
    CoverPen CutLine{psDot, 0.1f, Qt::black};
    CoverPen FoldLine{psDash, 0.1f, Qt::black};
};

// The cover file (relative to the program folder unless absolute) and the cut
// and fold pens of the settings.
CoverPrintSettings CoverSettingsFrom(const zkOptions& options);

// The cover placeholders and their values for disc number `disc` of `discCount`,
// in the order they are put in. Throws ConversionError when cell 0 is used as a
// number and is not one.
std::vector<std::pair<QString, QString>> CoverPlaceholders(const TzkRow& record, int disc, int discCount);

// The number of discs: 1 for an empty cell 4, else its whole number (ConversionError otherwise).
int CoverDiscCount(const TzkRow& record);

// Puts the settings' pens on the cover, loads its layout and fills in the disc's values.
void PrepareCover(ZKCover& cover, const TzkRow& record, int disc, int discCount, const CoverPrintSettings& settings);

// One page per disc. Bad numbers are found before the job starts, so they print nothing.
void PrintCovers(TzkPrinter& printer, const TzkRow& record, const CoverPrintSettings& settings);

} // namespace reelkeep
