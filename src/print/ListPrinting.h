// Printing a list as a ruled table: the configured columns with their widths in
// millimetres, a header of column names repeated on every page, lines between
// rows and columns, a frame, and page breaks as rows run past the page.
#pragma once

#include "Message.h"

#include <QChar>
#include <QString>
#include <QStringList>
#include <vector>

namespace reelkeep {

class TzkPrinter;
class TzkRow;
class TZKList;

// The "print" section of the settings file, read afresh for every print. Every
// value read is usable: styles are pen style words, the two lists whole numbers.
struct ListPrintSettings {
    QString Columns = QStringLiteral("2,5,8,13,12");     // 1-based column numbers
    QString ColumnsWidth = QStringLiteral("80,4,30,10,10"); // millimetres
    double HeadLineWidth = 0.3; // millimetres: header and frame lines, and the text inset
    double VertLineWidth = 0.1;
    double HorLineWidth = 0.1;
    QString HeadLineStyle = QStringLiteral("solid");
    QString VertLineStyle = QStringLiteral("solid");
    QString HorLineStyle = QStringLiteral("dot");
};

// Reads the settings file (setup.ini). A value that does not convert gives its
// default and appends one warning naming the file, section and key to `warnings`;
// a file that cannot be read gives every default and one warning.
ListPrintSettings ReadListPrintSettings(const QString& settingsFile, QChar decimalSeparator, std::vector<Message>& warnings);

// The whole numbers of a ","-separated list; an item that is not one (an empty
// item included) throws ConversionError.
std::vector<int> ParseNumberList(const QString& text);

// The rows as the grid holds them: visible top-level rows in order, each followed
// depth-first by its visible nested rows.
std::vector<const TzkRow*> GridRows(const TZKList& list);

// Prints the rows (in the given order) under the column names of the list.
// Bad "columns" or "columnswidth" items throw before the job starts.
void PrintList(TzkPrinter& printer, const TZKList& list, const std::vector<const TzkRow*>& rows,
               const ListPrintSettings& settings);

} // namespace reelkeep
