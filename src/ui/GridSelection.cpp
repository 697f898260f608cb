#include "GridSelection.h"

#include "GridModel.h"

#include <QItemSelection>
#include <QTreeView>
#include <algorithm>
#include <map>

namespace reelkeep {

GridSelection::GridSelection(QTreeView* grid, GridModel& model, Current current, Focus focus, QObject* parent)
    : QObject(parent), m_grid(grid), m_model(model), m_current(std::move(current)), m_focus(std::move(focus))
{
}

RecordSelection GridSelection::selection() const
{
    RecordSelection selection{m_current(), {}};
    const QModelIndexList rows = m_grid->selectionModel()->selectedRows();
    selection.selected.reserve(static_cast<size_t>(rows.size()));
    for (const QModelIndex& index : rows)
        selection.selected.push_back(m_model.rowAt(index));
    return selection;
}

void GridSelection::select(const RecordSelection& selection)
{
    QItemSelectionModel* model = m_grid->selectionModel();
    if (selection.current && m_model.indexOf(selection.current).isValid())
        m_focus(selection.current);
    else
        model->clearSelection();
    // Neighbouring rows under one parent become one range: a selection of thousands stays cheap.
    std::map<QModelIndex, std::vector<int>> rowsUnder;
    for (const TzkRow* row : selection.selected)
        if (const QModelIndex index = m_model.indexOf(row); index.isValid())
            rowsUnder[index.parent()].push_back(index.row());
    QItemSelection ranges;
    for (auto& [parent, rows] : rowsUnder) {
        std::sort(rows.begin(), rows.end());
        for (size_t start = 0; start < rows.size();) {
            size_t end = start + 1;
            while (end < rows.size() && rows[end] <= rows[end - 1] + 1)
                ++end;
            ranges.select(m_model.index(rows[start], 0, parent), m_model.index(rows[end - 1], 0, parent));
            start = end;
        }
    }
    if (!ranges.isEmpty())
        model->select(ranges, QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

} // namespace reelkeep
