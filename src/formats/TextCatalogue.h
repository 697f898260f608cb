// The line-oriented catalogue forms: the text files 1.0, 1.1 and 1.3, and the
// "kdx v1.3" text form of a catalogue handed to plug-ins and read back by the
// add-from-list command and the paste of records.
#pragma once

#include "Message.h"
#include "TReelkeepSerialiazer.h"

#include <QByteArray>
#include <vector>

namespace reelkeep {

// What distinguishes the versions when reading.
struct TextLayout {
    int cellsPerRow = 21;          // 17 in 1.0 and 1.1
    bool severalLists = true;      // 1.0 holds one list named "Лист1" and no list count
    QByteArray requiredFirstLine;  // when set and the first line differs, nothing is read
    bool patternsFromTemplate = true;
    bool whiteRowColour = false;   // 1.0 and 1.1 carry no row colour
    bool ordinalInInternalCell = false; // the text form numbers its rows in cell 21
    bool reportProgress = true;
    bool utf8 = false; // the clipboard's form: cells in UTF-8, so no character is lost
};

// Reads the lines into lists appended to into. source names the input for error
// messages, e.g. a file name. Throws FormatError when the text is damaged.
void ReadTextCatalogue(QByteArrayView bytes, const Message& source, const TextLayout& layout,
                       TZKLists& into, const ProgressCallback& onProgress);

// The catalogue as "kdx v1.3" lines ended by CR LF: top-level rows only. Adds to
// lostCharacters, when given, the characters the code page lacks.
QByteArray WriteTextCatalogue(const TZKLists& lists, qint64* lostCharacters = nullptr);

// The "kdx v1.3" text of the given records, in the order given, as one list with an
// empty name and no column names, so that it merges into whichever list is current;
// their nested records are not part of it. UTF-8 cells.
QByteArray RecordsText(const std::vector<const TzkRow*>& rows);

} // namespace reelkeep
