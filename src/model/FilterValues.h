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

} // namespace reelkeep
