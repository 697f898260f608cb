// The recovery file of one window's unsaved work: the catalogue in the lossless
// .xkdx form under $XDG_STATE_HOME/reelkeep/recovery/, with a small file beside it
// that names the catalogue and the form it is saved in. While its window lives the
// journal is locked, so a second process starting meanwhile does not offer it.
#pragma once

#include "CatalogueForm.h"
#include "TZKLists.h"

#include <QDateTime>
#include <QString>
#include <memory>
#include <vector>

class QLockFile;

namespace reelkeep {

// How long after a change the recovery file is written: soon, so that little is
// lost, but never sooner than five seconds after the last write ended.
// sinceLastWrite is negative before the first write.
int JournalDelayMs(qint64 sinceLastWrite);

struct RecoveryEntry {
    QString id;         // names the journal's files
    QString catalogue;  // the catalogue it belongs to
    CatalogueForm form = CatalogueForm::Kdx21;
    QString journal;    // the .xkdx file
    QDateTime written;  // when it was last written
};

class RecoveryJournal {
public:
    // A new journal for the catalogue, or (id given) an existing one taken over.
    RecoveryJournal(const QString& catalogue, CatalogueForm form, const QString& id = QString(),
                    QString folder = QString());
    ~RecoveryJournal();
    RecoveryJournal(const RecoveryJournal&) = delete;
    RecoveryJournal& operator=(const RecoveryJournal&) = delete;

    // Holds the journal for this process; false when a live process holds it.
    bool claim();
    // Writes the lists atomically; safe on a worker thread (it touches only files).
    // Throws ReelkeepError when the file cannot be written.
    void write(const TZKLists& lists) const;
    // The catalogue moved (Save As) or its form changed.
    void rename(const QString& catalogue, CatalogueForm form);
    // Removes the journal's files (after a save, or a close without saving).
    void remove() const;
    const QString& id() const { return m_id; }
    QString journalFile() const;

    // Journals whose window is gone (its process ended without removing them).
    static std::vector<RecoveryEntry> Orphans(const QString& folder = QString());
    static QString DefaultFolder();

private:
    QString m_folder;
    QString m_id;
    QString m_catalogue;
    CatalogueForm m_form;
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace reelkeep
