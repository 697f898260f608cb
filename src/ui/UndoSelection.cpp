#include "UndoSelection.h"

#include "GridModel.h"
#include "RecordSelection.h"

#include <QItemSelection>
#include <QTreeView>
#include <algorithm>
#include <map>

namespace reelkeep {

UndoSelection::UndoSelection(QTreeView& grid, GridModel& model, RecordSelection& records, QObject* parent)
    : QObject(parent), m_grid(grid), m_model(model), m_records(records)
{
}

ShownRecords UndoSelection::selection() const
{
    return {m_records.currentRecord(), m_model.selectedRows(*m_grid.selectionModel())};
}

void UndoSelection::select(const ShownRecords& selection)
{
    QItemSelectionModel* model = m_grid.selectionModel();
    if (selection.current && m_model.indexOf(selection.current).isValid())
        m_records.focusRecord(selection.current);
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
