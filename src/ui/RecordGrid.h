// The grid of a list window: a tree view whose indentation strip, left of the nested
// records' titles, is painted in the row colour like the cells beside it.
#pragma once

#include <QTreeView>

namespace reelkeep {

class RecordGrid : public QTreeView {
    Q_OBJECT
public:
    using QTreeView::QTreeView;

protected:
    void drawBranches(QPainter* painter, const QRect& rect, const QModelIndex& index) const override;
};

} // namespace reelkeep
