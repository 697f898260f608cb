// What keeps a list window's catalogue from being lost or overwritten unasked: the
// lock that makes this process its writer (or the window read-only), the file's
// fingerprint and the watch on it, the earlier version kept at each save, and the
// recovery file written in the background while there are unsaved changes.
// The controller calls it around loads, saves and changes; it never changes the
// document.
#pragma once

#include "CatalogueForm.h"
#include "CatalogueLock.h"
#include "FileFingerprint.h"
#include "Message.h"

#include <QElapsedTimer>
#include <QFileSystemWatcher>
#include <QFutureWatcher>
#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>

namespace reelkeep {

class ListController;
class ListsCopier;
class Prompts;
class RecoveryJournal;
class ShellState;

class CatalogueSafety : public QObject {
    Q_OBJECT
public:
    CatalogueSafety(ListController& controller, ShellState& shell, Prompts& prompts);
    ~CatalogueSafety() override;

    // Before a load of path: false when another process holds it and the person
    // cancelled; read-only when they chose so.
    bool open(const QString& path);
    // The file as loaded (or a copy of it restored), now watched; fingerprint is the file's as it was read.
    void loaded(const QString& path, const FileFingerprint& fingerprint);
    // Whether a save into path may go on: not into a catalogue another process holds,
    // not over changes made outside without a yes. saveAsWanted is set when the person
    // chose to save as another file. From a yes until saveEnded, changes to the file
    // are the save's own.
    bool beforeSave(const QString& path, CatalogueForm form, bool* saveAsWanted);
    // What the save's worker runs right before it writes: the replaced file kept as a
    // version; it returns the trouble to note (empty when none).
    std::function<Message()> versionKeeping(const QString& path, CatalogueForm form) const;
    // After a save into path in form (Save As included), written being the file as the
    // worker left it: the window's file from now on.
    void saved(const QString& path, CatalogueForm form, const FileFingerprint& written);
    // After every save that beforeSave let go on, written or not.
    void saveEnded(const Message& versionTrouble);
    // The window holds a copy not loaded from its file: a recovered journal (its id)
    // or an earlier version, whose first save asks before replacing the catalogue.
    void restored(const QString& journalId, bool earlierVersion);
    // Any change to the catalogue; the recovery file follows within seconds.
    void changed();
    // The person chose not to save: the recovery file goes.
    void discarded();

    bool isReadOnly() const { return m_readOnly; }
    // The longest the GUI thread spent at once on the last recovery write's copy of the records, in ms.
    qint64 lastCopyMs() const { return m_lastCopyMs; }
    // A recovery copy is being taken, between the turns of the event loop.
    bool isCopying() const { return m_copier != nullptr; }
    // Writes the recovery file now and waits for it (benchmarks and tests).
    void writeJournalNow();

signals:
    void readOnlyChanged(bool readOnly);
    // The file changed outside and the person wants it read again.
    void reloadWanted();
    // A recovery file was written (or failed, error not empty).
    void journalWritten(const QString& error);

private:
    // Watches path, as it is described by fingerprint.
    void watch(const QString& path, const FileFingerprint& fingerprint);
    void fileChanged();
    void startJournalWrite();
    // Copies the next records; once all are copied, the worker writes them.
    void copyStep();
    // A change while the copy is taken makes it worthless: it goes, and a new one is due.
    void dropCopy();
    void journalFinished();
    void setReadOnly(bool readOnly);
    QString text(const char* key) const;
    void note(const QString& problem);

    ListController& m_controller;
    ShellState& m_shell;
    Prompts& m_prompts;
    std::unique_ptr<CatalogueLock> m_lock;
    bool m_readOnly = false;
    bool m_confirmReplace = false;
    QString m_watchedPath;
    FileFingerprint m_fingerprint;
    FileFingerprint m_toldAbout; // the outside change last told
    QFileSystemWatcher m_watcher;
    bool m_askingReload = false;
    bool m_saving = false;
    std::shared_ptr<RecoveryJournal> m_journal;
    QString m_restoredJournal;
    QTimer m_journalTimer;
    QElapsedTimer m_sinceJournal;
    QFutureWatcher<Message> m_journalWrite;
    bool m_changedWhileWriting = false;
    std::unique_ptr<ListsCopier> m_copier; // the copy being taken, a few records per turn of the event loop
    QTimer m_copyStep;
    qint64 m_lastCopyMs = 0;
};

} // namespace reelkeep
