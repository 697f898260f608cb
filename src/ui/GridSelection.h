// The current and selected records of a list window's grid, kept apart from the window
// so that the record commands get the selection, not the window.
#pragma once

#include "RecordSelection.h"

#include <QObject>
#include <QPersistentModelIndex>

class QTreeView;

namespace reelkeep {

class GridModel;

class GridSelection : public QObject, public RecordSelection {
    Q_OBJECT
public:
    GridSelection(QTreeView& grid, GridModel& model, QObject* parent);

    TzkRow* currentRecord() const override;
    std::vector<TzkRow*> selectedRecords() const override;
    std::vector<TzkRow*> outermostSelected() const override;
    void focusRecord(const TzkRow* row) override;

    // The current record again after the grid's selection changed: the one shown stays
    // while it is selected; else the grid's current row when selected, else the first selected.
    void follow();
    // No current record.
    void clear();
    // The row above (delta < 0) or below the grid's current row, on screen, made current.
    void step(int delta);

signals:
    // The current record was chosen again (it may be the same one).
    void currentChanged();

private:
    void selectIndex(const QModelIndex& index);

    QTreeView& m_grid;
    GridModel& m_model;
    QPersistentModelIndex m_current;
};

} // namespace reelkeep
