// A realistic catalogue of one list with some nesting, for the file form benchmarks.
#pragma once

#include "TZKLists.h"

#include <memory>

namespace reelkeep::bench {

// The records of makeRealisticList, with every 20th record a group holding the next
// three (15 % of the records nested, the catalogue's rows otherwise as generated).
// A description cut to 100 characters gives the size of a typical catalogue
// (100,000 records, about 30 MB as format 2.1); the generated ones are longer.
std::unique_ptr<TZKLists> makeNestedCatalogue(int rows, bool shortDescriptions = false);

} // namespace reelkeep::bench
