// Catalogues as ".xls" workbooks: one worksheet per list, a header row of column
// names, then one row per record (all nesting levels) with its ID and GroupID.
#pragma once

#include "FreeXlReader.h"
#include "TZKLists.h"

#include <QString>

namespace reelkeep {

// Appends one list per worksheet to into. Throws ReelkeepError naming the file when
// the workbook cannot be read, ConversionError for a non-numeric ID or GroupID.
void LoadFromExcel(const QString& fileName, TZKLists& into);

// The columns an .xls catalogue is read from: the stored ones, the ID and the GroupID.
constexpr int kWorkbookColumns = kStoredColumnCount + 2;
// LoadFromExcel on cells already read (the fuzzer reads them in-process).
void LoadFromWorkbookCells(const std::vector<WorksheetCells>& sheets, const QString& fileName, TZKLists& into);

// Written atomically. A list name that is not a valid worksheet name is kept whole
// in the header row's column 22 (an empty name as the number 0), and the worksheet
// gets a valid name close to it.
// Throws FormatError when a list has more rows, or a cell more characters, than
// the format holds.
void SaveToExcel(const QString& fileName, const TZKLists& lists);

} // namespace reelkeep
