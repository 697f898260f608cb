// The rescan report of one sheet against a walked folder: the films with no record
// (checked, added on request through the usual record entry), the records whose file is
// gone (selected in the list, never deleted) and the records whose file moved (their
// path updated on request). After every change the walk is matched again, so the
// report always tells what is still to do.
#pragma once

#include "FileNameSeparators.h"
#include "FolderRescan.h"

#include <QDialog>
#include <QPointer>
#include <vector>

class QLabel;
class QPushButton;
class QTreeWidget;

namespace reelkeep {

class ShellState;
class TextRegistry;
class TfmList;
class TZKList;
class TzkRow;

class TfmRescan : public QDialog {
    Q_OBJECT
public:
    // files: what the walk of folder found; sheet: the list of window it is matched against.
    TfmRescan(TfmList& window, const TZKList* sheet, ShellState& shell, TextRegistry& texts, QString folder,
              std::vector<FoundFile> files);

    // Enters the checked new files as records of the sheet.
    void AddChecked();
    // Selects the records whose file is gone in the list window.
    void SelectGone();
    // Gives the checked moved records the path where their file is now.
    void UpdatePaths();
    // Matches the walk against the sheet as it is now and lists the outcome.
    void Refresh();

    QTreeWidget* newFiles() const { return m_new; }
    QTreeWidget* goneRecords() const { return m_gone; }
    QTreeWidget* movedRecords() const { return m_moved; }

private:
    // Where the report's sheet is in the window's catalogue; -1 when it is gone.
    int sheetIndex() const;
    // Makes the report's sheet the window's current one; null when the sheet is gone.
    TZKList* reachSheet();
    // The records of the checked (or all) items of a list, those still there.
    std::vector<TzkRow*> recordsOf(const QTreeWidget* tree, bool checkedOnly) const;
    void enableButtons();
    QString marked(const char* key) const;

    QPointer<TfmList> m_window;
    const TZKList* m_sheet;
    ShellState& m_shell;
    QString m_folder;
    std::vector<FoundFile> m_files;
    FileNameSeparators m_separators;
    int m_pathColumn = -1;
    QLabel* m_summary;
    QLabel* m_newLabel;
    QLabel* m_goneLabel;
    QLabel* m_movedLabel;
    QTreeWidget* m_new;
    QTreeWidget* m_gone;
    QTreeWidget* m_moved;
    QPushButton* m_add;
    QPushButton* m_select;
    QPushButton* m_update;
};

// Rescan folder: asks for a folder, walks it on the window's worker with progress and
// Cancel, then shows the report of the window's current sheet (nothing when cancelled).
void RescanFolder(TfmList& window, ShellState& shell, TextRegistry& texts);

} // namespace reelkeep
