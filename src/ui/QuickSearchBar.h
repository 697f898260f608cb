// The quick search of a list window: a column chooser and a search box on the tool
// bar. Typing moves the grid's current record to the first record, in display order,
// whose cell contains the text; a longer text goes on from the hit; Enter finds the next.
#pragma once

#include "QuickSearch.h"

#include <QObject>
#include <QString>
#include <optional>

class QComboBox;
class QTreeView;

namespace reelkeep {

class GridModel;
class ShellState;
class TZKList;

class QuickSearchBar : public QObject {
    Q_OBJECT
public:
    QuickSearchBar(QComboBox* columns, QComboBox* box, QTreeView* grid, GridModel& model, const ShellState& shell);

    int searchColumn() const { return m_column; }
    // One entry per column 0..20: its name, or "Колонка " and its number when it has none.
    void refillColumns(const TZKList* list);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

signals:
    // The grid's selection moved (or was removed): the panel shows the new current record.
    void selectionMoved();

private:
    void textEdited(const QString& text);
    void search(bool next);

    QComboBox* m_columns;
    QComboBox* m_box;
    QTreeView* m_grid;
    GridModel& m_model;
    const ShellState& m_shell;
    int m_column = 1;
    QString m_lastText;
    // The search column's cells as the grid shows them, kept from key to key until the grid changes.
    std::optional<SearchColumn> m_cells;
};

} // namespace reelkeep
