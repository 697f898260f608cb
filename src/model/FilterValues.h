// The values a filter window offers for one column: the parts of the visible
// top-level cells, trimmed, in the locale's case-insensitive order, each once.
#pragma once

#include "TZKList.h"

#include <QLocale>
#include <QStringList>

namespace reelkeep {

// Cells are cut by the column's NamesWithDot and SecondNames options; of parts that
// differ only in case the first in model order stays.
QStringList FilterValueList(const TZKList& list, int column, const QLocale& locale = QLocale());

// The column's visible top-level cells, read on the GUI thread so that the values can be made on a worker.
struct FilterCells {
    QStringList cells;
    bool namesWithDot = false;
    bool secondNames = false;
};
FilterCells FilterCellsOf(const TZKList& list, int column);
QStringList FilterValueList(const FilterCells& cells, const QLocale& locale = QLocale());

} // namespace reelkeep
