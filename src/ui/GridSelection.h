// The grid's current and selected records, read before a change and shown again when
// it is undone or redone.
#pragma once

#include "UndoSteps.h"

#include <QObject>
#include <functional>

class QTreeView;

namespace reelkeep {

class GridModel;

class GridSelection : public QObject, public SelectionKeeper {
public:
    using Current = std::function<TzkRow*()>;
    // Makes a record current as a click does: selected alone, scrolled to, shown in the panel.
    using Focus = std::function<void(const TzkRow*)>;
    GridSelection(QTreeView* grid, GridModel& model, Current current, Focus focus, QObject* parent);

    RecordSelection selection() const override;
    // Records no longer shown (filtered out) are left out.
    void select(const RecordSelection& selection) override;

private:
    QTreeView* m_grid;
    GridModel& m_model;
    Current m_current;
    Focus m_focus;
};

} // namespace reelkeep
