// What the charts of the statistics window show, counted from a list's records:
// films and total size per year (per decade over a span of more than 40 years),
// films per genre (the twelve most frequent and the rest) and lengths in bands.
#pragma once

#include "TZKList.h"

#include <QString>
#include <cstdint>
#include <vector>

namespace reelkeep {

struct ChartBar {
    QString Label;
    std::int64_t Value = 0;
};

struct CollectionCharts {
    bool ByDecade = false;               // the year bars are decades
    std::vector<ChartBar> FilmsPerYear;  // every year (or decade) from the first to the last, none left out
    std::vector<ChartBar> SizePerYear;   // megabytes, the same bars
    std::vector<ChartBar> FilmsPerGenre; // most frequent first; the last is otherLabel when more genres remain
    std::vector<ChartBar> LengthBands;   // minutes: 0–29, 30–59 ... 150–179, 180+
};

constexpr int kTopGenres = 12;

// Counts the given records (nested ones are not entered: a group counts as itself).
// Years, sizes and lengths are cells of digits only; genres are the genre column's
// values as its flags split them, told apart without regard to case.
CollectionCharts ComputeCharts(const TZKList& list, const std::vector<const TzkRow*>& rows, const QString& otherLabel);

} // namespace reelkeep
