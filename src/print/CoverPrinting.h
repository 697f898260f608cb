// Printing the cover layout once for every disc of a record, with the record's
// values put into the layout's text boxes.
#pragma once

#include "PenStyles.h"
#include "TzkPrintTarget.h"

#include <QByteArray>
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

// Covers are printed for at most this many discs of one record.
constexpr int kMaxCoverDiscs = 1000;

struct CoverPrintSettings {
    QString CoverFile; // the full path of the layout; empty: none, the bare outline prints
    CoverPen CutLine{psDot, 0.1f, Qt::black};
    CoverPen FoldLine{psDash, 0.1f, Qt::black};
};

// The cover file (relative to the program folder unless absolute; empty when the
// settings name none) and the cut and fold pens of the settings.
CoverPrintSettings CoverSettingsFrom(const zkOptions& options);

// The cover placeholders and their values for disc number `disc` of `discCount`,
// in the order they are put in. Throws ConversionError when cell 0 is used as a
// number and is not one.
std::vector<std::pair<QString, QString>> CoverPlaceholders(const TzkRow& record, int disc, int discCount);

// The number of discs: 1 for an empty cell 4, else its whole number. Throws
// ConversionError when cell 4 is not a whole number or, with several discs, cell 0
// is not one either; ReelkeepError for more than kMaxCoverDiscs discs.
int CoverDiscCount(const TzkRow& record);

// The bytes of the layout file, checked to read as a cover; empty when no file is
// named. A named file that is missing or damaged throws FileError or FormatError.
QByteArray ReadCoverLayout(const QString& fileName);

// Puts the settings' pens on the cover, loads the layout (bytes of ReadCoverLayout)
// and fills in the disc's values.
void PrepareCover(ZKCover& cover, const QByteArray& layout, const TzkRow& record, int disc, int discCount,
                  const CoverPrintSettings& settings);

// Whether the whole layout lies within the printable area of the page, drawn where
// PrintCovers draws it.
bool CoverFitsPage(const QByteArray& layout, const PrinterMeasurements& page);

// One page per disc. Bad numbers and a bad layout are found before the job starts,
// so they print nothing.
void PrintCovers(TzkPrinter& printer, const TzkRow& record, const CoverPrintSettings& settings);

} // namespace reelkeep
