#include "GridSelection.h"

#include "GridModel.h"

#include <QTreeView>
#include <unordered_set>

namespace reelkeep {

GridSelection::GridSelection(QTreeView& grid, GridModel& model, QObject* parent)
    : QObject(parent), m_grid(grid), m_model(model)
{
}

TzkRow* GridSelection::currentRecord() const
{
    return m_model.rowAt(m_current);
}

std::vector<TzkRow*> GridSelection::selectedRecords() const
{
    std::unordered_set<const TzkRow*> selected;
    for (const QModelIndex& index : m_grid.selectionModel()->selectedRows())
        selected.insert(m_model.rowAt(index));
    std::vector<TzkRow*> rows = m_model.shownRows();
    std::erase_if(rows, [&selected](const TzkRow* row) { return !selected.contains(row); });
    return rows;
}

std::vector<TzkRow*> GridSelection::outermostSelected() const
{
    return m_model.outermostRows(m_grid.selectionModel()->selectedRows());
}

void GridSelection::follow()
{
    const QItemSelectionModel* selection = m_grid.selectionModel();
    const auto isSelected = [selection](const QModelIndex& index) {
        return index.isValid() && selection->isRowSelected(index.row(), index.parent());
    };
    if (!isSelected(m_current)) {
        const QModelIndex current = m_grid.currentIndex();
        const QModelIndexList selected = selection->selectedRows();
        m_current = isSelected(current) ? current.siblingAtColumn(0) : selected.isEmpty() ? QModelIndex() : selected.front();
    }
    emit currentChanged();
}

void GridSelection::clear()
{
    m_current = QModelIndex();
    emit currentChanged();
}

void GridSelection::step(int delta)
{
    const QModelIndex current = m_grid.currentIndex();
    const QModelIndex next = delta < 0 ? m_grid.indexAbove(current) : m_grid.indexBelow(current);
    if (next.isValid())
        focusRecord(m_model.rowAt(next));
}

void GridSelection::focusRecord(const TzkRow* row)
{
    const QModelIndex index = row ? m_model.indexOf(row) : QModelIndex();
    if (!index.isValid())
        return;
    selectIndex(index);
    follow();
}

void GridSelection::selectIndex(const QModelIndex& index)
{
    m_grid.setCurrentIndex(index);
    m_grid.selectionModel()->select(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_grid.scrollTo(index);
}

} // namespace reelkeep
