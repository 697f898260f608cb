#include "GridSelection.h"

#include "GridModel.h"

#include <QTreeView>

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
    return m_model.selectedRowsInDisplayOrder(*m_grid.selectionModel());
}

std::vector<TzkRow*> GridSelection::outermostSelected() const
{
    return m_model.outermostSelected(*m_grid.selectionModel());
}

void GridSelection::follow()
{
    const QItemSelectionModel* selection = m_grid.selectionModel();
    const auto isSelected = [selection](const QModelIndex& index) {
        return index.isValid() && selection->isRowSelected(index.row(), index.parent());
    };
    if (!isSelected(m_current)) {
        const QModelIndex current = m_grid.currentIndex();
        if (isSelected(current)) {
            m_current = current.siblingAtColumn(0);
        } else {
            const std::vector<TzkRow*> selected = m_model.selectedRows(*selection);
            m_current = selected.empty() ? QModelIndex() : m_model.indexOf(selected.front());
        }
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
