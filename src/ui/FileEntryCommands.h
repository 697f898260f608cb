// Records from video files and folders in one list window: Add from file, Add from
// folder, Fill from file ("...") and Append file ("+"). The core's record entry runs
// on a worker thread as the window's work (locked, with progress and Cancel) into a
// scratch list; its steps are played back here as controller calls, in order.
#pragma once

#include "RecordedEntry.h"
#include "TzkRecordEntry.h"

#include <QObject>
#include <QStringList>
#include <functional>

namespace reelkeep {

class ListController;
class Prompts;
class RecordSelection;
class ShellState;
class TzkRecordPanel;
class TzkRow;
class WindowWork;

class FileEntryCommands : public QObject {
    Q_OBJECT
public:
    // work is the list window's: it locks the window while an entry runs.
    FileEntryCommands(RecordSelection& selection, TzkRecordPanel& panel, ListController& controller, ShellState& shell,
                      Prompts& prompts, WindowWork& work, QObject* parent);

    // One new record per chosen file (the parts of a film chosen together make one).
    void AddFromFile();
    // One new record per video file of the chosen folder tree.
    void AddFromFolder();
    // The current record filled from one chosen file.
    void FillFromFile();
    // The chosen files' size, count and length added to the current record.
    void AppendFile();

    // The walk behind AddFromFolder, for a folder already chosen.
    void WalkFolder(const QString& dir);
signals:
    // Entry of chosen files or a folder ended, however it ended, and was reported.
    void entryFinished();

private:
    // What an entry on the worker thread leaves for the window.
    struct Outcome;
    using Work = std::function<WalkResult(TzkRecordEntry&, const WalkOptions&)>;

    // Shows the records entered, the last one current, and how many there were (none too).
    void showEntered(int added, const TzkRow* last);
    // Where new records go: beside the current record, at the top level without one.
    TzkRow* parentOfCurrent() const;
    void tell(const QString& text, bool error);
    // Each file whose length could not be read, named in a box of its own.
    void tellUnreadLengths(const QStringList& files);
    // Fills or extends the current record from the files, one step each; an error
    // stops at its file and is shown.
    void enterIntoCurrent(const QStringList& files, void (TzkRecordEntry::*step)(const QString&));
    // The walk's closing message: what it skipped and the files entered without a length.
    void reportWalk(const QString& error, const QStringList& skipped, const QStringList& lengthUnread);
    void remember(const QString& folder);
    // Runs work on a worker thread as the window's work, entering into a copy of the
    // current sheet's columns (and of current), then plays its steps back into the
    // sheet, new records under parent, and hands the outcome to report.
    void enterInBackground(const char* captionKey, TzkRow* current, TzkRow* parent, Work work,
                           std::function<void(const Outcome&)> report);
    // The recorded steps as controller calls; the number of records added and the last of them.
    std::pair<int, const TzkRow*> playBack(const std::vector<EntryStep>& steps, TzkRow* current, TzkRow* parent);

    RecordSelection& m_selection;
    TzkRecordPanel& m_panel;
    ShellState& m_shell;
    Prompts& m_prompts;
    ListController& m_controller;
    WindowWork& m_work;
};

// The video file dialogs' filters: the extension list in the form Qt reads.
QStringList VideoFileFilters();

} // namespace reelkeep
