// Totals and averages of the size, length and file-count columns of a list or
// of the selected records, the lines of the statistics window and the status-bar line.
#pragma once

#include "TZKList.h"
#include "TzkLanguage.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

namespace reelkeep {

// The first of columns 0 to 20 whose pattern equals the text exactly; -1 when none.
int FindColumnByPattern(const TZKList& list, const QString& pattern);

// The rows statistics cover: the selection in its order, or the visible top-level rows.
std::vector<const TzkRow*> ConsideredRows(const TZKList& list, const std::vector<const TzkRow*>& selection, bool selectedOnly);

// Sum of the numeric cells (digits only) of column c, wrapping in 32 bits.
std::int32_t ColumnTotal(const std::vector<const TzkRow*>& rows, int c);
// Total over the count of numeric cells, halves to even; 0 when there are none.
std::int32_t ColumnAverage(const std::vector<const TzkRow*>& rows, int c);

// The lines of the statistics window: the current-sheet block, then the
// selected-records block, labelled with the texts of section "Statistic".
QStringList StatisticsLines(const TZKList& list, const std::vector<const TzkRow*>& selection, const TzkLanguage& language);

// The status-bar line: "%TotalLength%" in the template replaced by the sheet's total length.
QString StatusStatLine(const QString& statusTemplate, const TZKList& list);

} // namespace reelkeep
