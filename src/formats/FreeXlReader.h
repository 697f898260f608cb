// Reads the cells of an .xls workbook through FreeXL. FreeXL is not safe against
// damaged files, so it runs in a child process: a crash or hang there becomes an
// error here, never a crash of the program.
#pragma once

#include <QString>
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

// Throws FileError when the file cannot be opened and FormatError (naming the
// file) when it is not a readable Excel 97-2003 workbook.
std::vector<WorksheetCells> ReadWorkbookCells(const QString& fileName, int columns);

} // namespace reelkeep
