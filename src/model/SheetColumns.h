// Column definitions put onto a sheet: the one way New, Add sheet and the column dialog
// give a sheet its column settings.
#pragma once

#include "ColumnDefinitions.h"

namespace reelkeep {

class TZKList;

// Names, types, patterns, logical values and name options of columns 0..20 from the
// definitions; widths, positions and filters stay the sheet's own.
void ApplyColumnDefinitions(TZKList& sheet, const ColumnDefinitions& definitions);

} // namespace reelkeep
