// A realistic catalogue of one list with some nesting, for the file form benchmarks.
#pragma once

#include "TZKLists.h"

#include <QTemporaryDir>

#include <memory>

namespace reelkeep::bench {

// The records of makeRealisticList, with every 20th record a group holding the next
// three (15 % of the records nested, the catalogue's rows otherwise as generated).
// Full records are heavy (long descriptions, about 670 bytes a record as format 2.1);
// typical ones have short descriptions and cast lists, about 300 bytes a record, so
// that 100,000 of them make the 30 MB of a typical large catalogue.
enum class RecordSize { Full, Typical };
std::unique_ptr<TZKLists> makeNestedCatalogue(int rows, RecordSize size = RecordSize::Full);

// The 100,000-record catalogues the file form benchmarks share, made once per process.
// A benchmark argument of 0 picks the full records, 1 the typical ones.
const TZKLists& hundredThousandRecords(bool typicalRecords);

// A folder for the benchmark's files, removed when the process ends.
const QTemporaryDir& scratchFolder();

} // namespace reelkeep::bench
