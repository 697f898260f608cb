#include "RecordGrid.h"

#include <QPainter>

namespace reelkeep {

void RecordGrid::drawBranches(QPainter* painter, const QRect& rect, const QModelIndex& index) const
{
    // A selected row is highlighted over its whole width by the view itself.
    const QVariant background = index.data(Qt::BackgroundRole);
    if (background.canConvert<QBrush>() && !selectionModel()->isSelected(index))
        painter->fillRect(rect, background.value<QBrush>());
    QTreeView::drawBranches(painter, rect, index);
}

} // namespace reelkeep
