// Column widths are stored in pixels of the classic small interface font; the grid
// shows them in its own font. Both ways go through the ratio of the two fonts'
// average character widths, so a column that fitted its values there fits them here.
#pragma once

#include <vector>

class QFontMetrics;

namespace reelkeep {

class TzkRow;

class ColumnWidthScale {
public:
    explicit ColumnWidthScale(const QFontMetrics& metrics);

    int shown(int stored) const;
    int stored(int shown) const;

private:
    double m_factor;
};

// The widths the widest values of the given columns of the rows shown need (their titles
// aside), with margins added on both sides of the text; one pass over the rows for all of them.
std::vector<int> WidestValueWidths(const std::vector<TzkRow*>& rows, const std::vector<int>& columns, const QFontMetrics& metrics,
                                   int margin);

} // namespace reelkeep
