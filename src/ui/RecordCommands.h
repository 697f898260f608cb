// The record commands of one list window: the panel's edits stored into the current
// record, field buttons, clearing, colours, adding records, the record clipboard,
// Add from list and tidying. Each change is one controller call.
#pragma once

#include <QObject>
#include <vector>

class QTreeView;

namespace reelkeep {

class ListController;
class Prompts;
class ShellState;
class TfmList;
class TzkRecordPanel;
class TzkRow;

class RecordCommands : public QObject {
    Q_OBJECT
public:
    RecordCommands(TfmList& window, TzkRecordPanel& panel, ShellState& shell, Prompts& prompts);

    // A new record after the current record's siblings, focused and shown.
    void AddRecord();
    // The selected records on the clipboard as text; false when none is selected.
    bool Copy();
    void Cut();
    void Paste();
    // Whether the clipboard holds records a paste can add.
    static bool CanPaste();
    void AddFromList();
    // Tidies every cell of the column over the whole sheet.
    void TidyColumn(int column);
    void AutoNumber();
    void TodayDate(int column);

private:
    void storeInSelected(int column, const QString& text);
    // Focuses the last record added and tells how many were.
    void merged(int added, const TzkRow* parent);
    void step(int delta);
    void showCurrent();
    void notAvailable();

    TfmList& m_window;
    TzkRecordPanel& m_panel;
    ShellState& m_shell;
    Prompts& m_prompts;
    ListController& m_controller;
    QTreeView* m_grid;
};

} // namespace reelkeep
