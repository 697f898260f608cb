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

// The width the widest value of a column of the rows shown needs (its title aside), with
// margins added on both sides of the text.
int WidestValueWidth(const std::vector<TzkRow*>& rows, int column, const QFontMetrics& metrics, int margin);

} // namespace reelkeep
