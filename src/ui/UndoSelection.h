// The grid's current and selected records, read before a change and shown again when
// it is undone or redone.
#pragma once

#include "UndoSteps.h"

#include <QObject>

class QTreeView;

namespace reelkeep {

class GridModel;
class RecordSelection;

class UndoSelection : public QObject, public SelectionKeeper {
public:
    UndoSelection(QTreeView& grid, GridModel& model, RecordSelection& records, QObject* parent);

    ShownRecords selection() const override;
    // Records no longer shown (filtered out) are left out.
    void select(const ShownRecords& selection) override;

private:
    QTreeView& m_grid;
    GridModel& m_model;
    RecordSelection& m_records;
};

} // namespace reelkeep
