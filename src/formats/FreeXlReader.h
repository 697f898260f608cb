// Reads the cells of an .xls workbook through FreeXL. FreeXL is not safe against
// damaged files, so it runs in the helper executable reelkeep-xls-reader: a crash
// or hang there becomes an error here, never a crash of the program. The helper
// sends its cells as a dump that this side reads back, trusting none of it.
#pragma once

#include <QByteArrayView>
#include <QString>
#include <cstdint>
#include <vector>

namespace reelkeep {

struct WorkbookCell {
    enum Kind : unsigned char { Empty, Integer, Number, Text, Date, DateTime, Time };
    Kind kind = Empty;
    double number = 0; // Integer and Number
    QString text;      // Text; Date "YYYY-MM-DD", DateTime "YYYY-MM-DD HH:MM:SS", Time "HH:MM:SS"
};

struct WorksheetCells {
    QString name;
    // The rows from the first down to the one before the first row whose columns
    // are all empty (empty texts count as empty), each with exactly `columns` cells.
    std::vector<std::vector<WorkbookCell>> rows;
};

// The dump: a sequence of records, each a tag byte. Sheet: its UTF-8 name. Row:
// `columns` cells, each a Kind byte and then a double (Integer, Number), a UTF-8
// text (Text, Date, DateTime, Time) or nothing (Empty). End: an int32 status,
// FreeXL's error code or one of the statuses below; nothing may follow it.
namespace workbook_dump {
enum Tag : unsigned char { Sheet = 'S', Row = 'R', End = 'E' };
constexpr std::int32_t kRead = 0;
constexpr std::int32_t kPasswordProtected = 1;
} // namespace workbook_dump

// Throws FileError when the file cannot be opened and FormatError (naming the
// file) when it is not a readable Excel 97-2003 workbook, when the reading crashes
// or outlasts its deadline, or when its cells hold more text than a file of its
// size may expand to (MaxExpandedTextBytes). Safe to call from any thread.
std::vector<WorksheetCells> ReadWorkbookCells(const QString& fileName, int columns);

// The cells of a dump, with the errors above.
std::vector<WorksheetCells> ParseWorkbookDump(QByteArrayView dump, const QString& fileName, int columns);

} // namespace reelkeep
