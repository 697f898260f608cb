#include "RecordGrid.h"

#include "ColumnWidthScale.h"
#include "GridCellDelegate.h"
#include "GridModel.h"
#include "TZKList.h"
#include "zkOptions.h"

#include <QAccessible>
#include <QHeaderView>
#include <QPainter>
#include <algorithm>
#include <numeric>

namespace reelkeep {

RecordGrid::RecordGrid(QWidget* parent) : QTreeView(parent)
{
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setAllColumnsShowFocus(true);
    // The tree's indentation goes to the title, so the numbers of column 0 stay readable.
    setTreePosition(1);
    setItemDelegate(new GridCellDelegate(this));
    setContextMenuPolicy(Qt::CustomContextMenu);
    QHeaderView* bar = header();
    bar->setSectionsMovable(true);
    bar->setSectionsClickable(true);
    bar->setMinimumSectionSize(0);
    bar->setStretchLastSection(false);
    bar->setSortIndicatorShown(true);
}

void RecordGrid::drawBranches(QPainter* painter, const QRect& rect, const QModelIndex& index) const
{
    // A selected row is highlighted over its whole width by the view itself.
    const QVariant background = index.data(Qt::BackgroundRole);
    if (background.canConvert<QBrush>() && !selectionModel()->isSelected(index))
        painter->fillRect(rect, background.value<QBrush>());
    QTreeView::drawBranches(painter, rect, index);
}

void RecordGrid::dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight, const QList<int>& roles)
{
    // The views' own handling looks at every row of the range; a screen reader is told it.
    if (uniformRowHeights() && topLeft.row() != bottomRight.row() && !QAccessible::isActive())
        viewport()->update();
    else
        QTreeView::dataChanged(topLeft, bottomRight, roles);
}

void RecordGrid::applyColumnLayout(const TZKList& list, const zkOptions& options)
{
    QHeaderView* bar = header();
    std::vector<int> order(GridModel::kShownColumns);
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&options](int a, int b) {
        return options.ColPos[static_cast<size_t>(a)] < options.ColPos[static_cast<size_t>(b)];
    });
    for (int visual = 0; visual < static_cast<int>(order.size()); ++visual)
        bar->moveSection(bar->visualIndex(order[static_cast<size_t>(visual)]), visual);
    const ColumnWidthScale scale(fontMetrics());
    // A number cut short reads as another number, so a shown number column takes its widest value.
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    std::vector<int> widths(GridModel::kShownColumns);
    std::vector<int> numbers;
    for (int c = 0; c < GridModel::kShownColumns; ++c) {
        widths[static_cast<size_t>(c)] = scale.shown(std::max(0, list.Column(c).Width));
        if (widths[static_cast<size_t>(c)] > 0 && list.Column(c).Type == ctNumber)
            numbers.push_back(c);
    }
    const auto* grid = qobject_cast<const GridModel*>(model());
    const std::vector<TzkRow*> shown = grid && !numbers.empty() ? grid->shownRows() : std::vector<TzkRow*>();
    const std::vector<int> widest = WidestValueWidths(shown, numbers, fontMetrics(), margin);
    for (size_t k = 0; k < numbers.size(); ++k)
        widths[static_cast<size_t>(numbers[k])] = std::max(widths[static_cast<size_t>(numbers[k])], widest[k]);
    for (int c = 0; c < GridModel::kShownColumns; ++c)
        bar->resizeSection(c, widths[static_cast<size_t>(c)]);
    bar->resizeSection(GridModel::kShownColumns - 1, 0);
}

void RecordGrid::setSelectionModel(QItemSelectionModel* selection)
{
    QTreeView::setSelectionModel(selection);
    delete m_headerSelection;
    m_headerSelection = new QItemSelectionModel(model(), header());
    header()->setSelectionModel(m_headerSelection);
}

std::vector<int> RecordGrid::storedColumnWidths() const
{
    const ColumnWidthScale scale(fontMetrics());
    std::vector<int> widths;
    for (int c = 0; c < GridModel::kShownColumns; ++c)
        widths.push_back(scale.stored(header()->sectionSize(c)));
    return widths;
}

} // namespace reelkeep
