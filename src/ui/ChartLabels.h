// The labels under a chart's bars kept readable at any size: ordered labels (years,
// decades, length bands) stay level, names (genres) stand on their side, and when they
// do not fit side by side only every n-th bar is labelled. A bar pointed at tells its
// whole label and value.
#pragma once

#include <QStringList>

class QBarSeries;
class QCategoryAxis;
class QChart;

namespace reelkeep {

struct LabelFit {
    int Angle = 0; // 0 or -90 degrees
    int Step = 1;  // every Step-th bar labelled, from the first
};

// How count labels whose widest is widest pixels (lineHeight tall) fit under a plot
// plotWidth pixels wide. The chart gives each label shown an equal share of the width,
// with one share to spare, and cuts what does not fit its share.
LabelFit FitLabels(double widest, double lineHeight, double plotWidth, int count, bool ordered);

// A bottom axis with one label per bar of series, attached to chart and series, that
// follows the plot's width from now on.
QCategoryAxis* AttachBarLabels(QChart* chart, QBarSeries* series, const QStringList& labels, bool ordered);

} // namespace reelkeep
