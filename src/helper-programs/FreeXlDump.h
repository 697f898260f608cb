// The reading half of reelkeep-xls-reader: a workbook's cells through FreeXL, as
// the dump FreeXlReader parses. Kept apart from the executable so that the .xls
// fuzzer runs the same code in-process.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <functional>

namespace reelkeep {

// Hands the dump to `sink` piece by piece, in order; sink returns false to stop
// the reading (the dump then has no end record).
void DumpWorkbook(const QByteArray& path, int columns, const std::function<bool(QByteArrayView)>& sink);

} // namespace reelkeep
