// Records from video files and folders in one list window: Add from file, Add from
// folder (with its progress window and Cancel), Fill from file ("...") and Append
// file ("+"), all through the core's record entry; every change to the catalogue is
// a controller call.
#pragma once

#include "TzkRecordEntry.h"

#include <QObject>
#include <QStringList>
#include <functional>

namespace reelkeep {

class ListController;
class Prompts;
class ShellState;
class TfmList;
class TzkRecordPanel;
class TzkRow;
class WalkProgress;

class FileEntryCommands : public QObject {
    Q_OBJECT
public:
    FileEntryCommands(TfmList& window, TzkRecordPanel& panel, ShellState& shell, Prompts& prompts);

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
    // Whether chosen files or a folder are being entered (the window is locked).
    bool isEntering() const { return m_entry != nullptr; }
    // Makes the entry stop at its next step; the records entered so far stay.
    void cancelEntry();

signals:
    // Entry of chosen files or a folder ended, however it ended.
    void entryFinished();

private:
    // Shows the records entered, the last one current, and how many there were (none too).
    void showEntered(int added, const TzkRow* last);
    // Where new records go: beside the current record, at the top level without one.
    TzkRow* parentOfCurrent() const;
    void tell(const QString& text, bool error);
    // Each file whose length cannot be read is named in a box as it is entered.
    void tellUnreadLengths(TzkRecordEntry& entry);
    // Fills or extends the current record from the files, one step each; an error
    // stops at its file and is shown.
    void enterIntoCurrent(const QStringList& files, void (TzkRecordEntry::*step)(const QString&));
    // The walk's closing message: what it skipped and the files entered without a length.
    void reportWalk(const QString& error, const QStringList& skipped, const QStringList& lengthUnread);
    void remember(const QString& folder);
    // Runs work with the window and the menus locked and the progress window up
    // (counting files of a known number, or from a search when files is -1); an
    // error it raised comes back in error.
    WalkResult enterLocked(RecordEntryTarget& target, const char* captionKey, int files, QString& error,
                           const std::function<WalkResult(TzkRecordEntry&, const WalkOptions&)>& work);

    TfmList& m_window;
    TzkRecordPanel& m_panel;
    ShellState& m_shell;
    Prompts& m_prompts;
    ListController& m_controller;
    WalkProgress* m_entry = nullptr;
};

// The video file dialogs' filters: the extension list in the form Qt reads.
QStringList VideoFileFilters();

} // namespace reelkeep
