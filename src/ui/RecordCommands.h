// The record commands of one list window: the panel's edits stored into the current
// record, field buttons, clearing, colours, picked values, images, adding, deleting and
// grouping records, the record clipboard, Add from list and tidying. Each change is one
// controller call.
#pragma once

#include <QObject>
#include <QPointer>
#include <vector>

class QWidget;

namespace reelkeep {

class FileEntryCommands;
class ListController;
class Prompts;
class RecordSelection;
class ShellState;
class TextRegistry;
class TfmFilter;
class TzkRecordPanel;
class TzkRow;

class RecordCommands : public QObject {
    Q_OBJECT
public:
    // window is the list window: the parent of the windows the commands open.
    RecordCommands(RecordSelection& selection, QWidget& window, TzkRecordPanel& panel, ListController& controller,
                   FileEntryCommands& files, ShellState& shell, Prompts& prompts, TextRegistry& texts);

    // A new record after the current record's siblings, focused and shown.
    void AddRecord();
    // The selected records deleted, their nested records with them, once the person agrees.
    void DelItem();
    // The selected records moved under a new group record beside the current record.
    void GroupSelected();
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
    // The pick window of a column's values; each value double-clicked there is appended
    // to the column's cell of every selected record.
    void AutoFill(int column);
    TfmFilter* pickWindow() const;
    // An image file chosen by the person attached to the current record and shown.
    void AddImage();
    // The current record's k-th image removed; the one after it is shown.
    void RemoveImage(int k);

private:
    void storeInSelected(int column, const QString& text);
    // Focuses the last record added and tells how many were.
    void merged(int added, const TzkRow* parent);
    // Where records added beside the row go: its parent, none at the top level.
    TzkRow* parentOf(const TzkRow* row) const;
    void focusLast();
    void showCurrent();
    void addPickedValue(int column, const QString& value);
    void showError(const QString& text);

    RecordSelection& m_selection;
    QWidget& m_window;
    TzkRecordPanel& m_panel;
    ShellState& m_shell;
    Prompts& m_prompts;
    TextRegistry& m_texts;
    ListController& m_controller;
    FileEntryCommands& m_files;
    QPointer<TfmFilter> m_pick;
    QString m_imageFolder; // where the last image was chosen, for this session
};

} // namespace reelkeep
