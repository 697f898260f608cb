#include "CatalogueSafety.h"

#include "KeptVersions.h"
#include "ListController.h"
#include "ListsCopier.h"
#include "LongWorkPool.h"
#include "Prompts.h"
#include "RecoveryJournal.h"
#include "ReelkeepError.h"
#include "ShellState.h"
#include "StatePaths.h"
#include "TzkReelkeep.h"

#include <QDir>
#include <QFileInfo>
#include <QtConcurrent/QtConcurrentRun>

namespace reelkeep {
namespace {
// Records copied per turn of the event loop: a few milliseconds' work.
constexpr int kRecordsPerCopyStep = 2000;
} // namespace

CatalogueSafety::CatalogueSafety(ListController& controller, ShellState& shell, Prompts& prompts)
    : m_controller(controller), m_shell(shell), m_prompts(prompts)
{
    m_journalTimer.setSingleShot(true);
    connect(&m_journalTimer, &QTimer::timeout, this, &CatalogueSafety::startJournalWrite);
    connect(&m_journalWrite, &QFutureWatcherBase::finished, this, &CatalogueSafety::journalFinished);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &CatalogueSafety::fileChanged);
    connect(&m_copyStep, &QTimer::timeout, this, &CatalogueSafety::copyStep);
    // Whatever changes the records shown tells the grid: a copy under way is then out of date.
    const auto shownChanged = [this] {
        if (m_copier)
            changed();
    };
    QAbstractItemModel* model = m_controller.model();
    connect(model, &QAbstractItemModel::modelReset, this, shownChanged);
    connect(model, &QAbstractItemModel::layoutChanged, this, shownChanged);
    connect(model, &QAbstractItemModel::rowsInserted, this, shownChanged);
    connect(model, &QAbstractItemModel::rowsRemoved, this, shownChanged);
    connect(model, &QAbstractItemModel::dataChanged, this, shownChanged);
}

CatalogueSafety::~CatalogueSafety()
{
    // A write still running must not leave a recovery file behind a clean close.
    m_journalWrite.disconnect(this);
    m_journalWrite.waitForFinished();
    if (m_journal && !m_controller.isModified())
        m_journal->remove();
}

QString CatalogueSafety::text(const char* key) const
{
    return m_shell.text("Safety", key);
}

namespace {

QString displayed(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

void CatalogueSafety::note(const QString& problem)
{
    // The log is where such trouble is kept; a log that cannot be written changes nothing here.
    try {
        m_shell.log().WriteLine(problem, true);
    } catch (const ReelkeepError&) {
    }
}

void CatalogueSafety::setReadOnly(bool readOnly)
{
    if (m_readOnly == readOnly)
        return;
    m_readOnly = readOnly;
    emit readOnlyChanged(readOnly);
}

bool CatalogueSafety::open(const QString& path)
{
    if (m_lock && CataloguePath(path) == CataloguePath(m_watchedPath))
        return true;
    auto lock = std::make_unique<CatalogueLock>(path);
    if (lock->tryLock()) {
        m_lock = std::move(lock);
        setReadOnly(false);
        return true;
    }
    const PromptButton answer = m_prompts.ask({PromptIcon::Warning, text("LockedCaption"),
                                               text("Locked").arg(displayed(path), HolderText(lock->holder())),
                                               {PromptButton::ReadOnly, PromptButton::Cancel}});
    if (answer != PromptButton::ReadOnly)
        return false;
    setReadOnly(true);
    return true;
}

void CatalogueSafety::loaded(const QString& path, const FileFingerprint& fingerprint)
{
    watch(path, fingerprint);
}

void CatalogueSafety::watch(const QString& path, const FileFingerprint& fingerprint)
{
    if (!m_watchedPath.isEmpty())
        m_watcher.removePath(m_watchedPath);
    m_watchedPath = path;
    m_fingerprint = fingerprint;
    m_toldAbout = {};
    if (QFileInfo::exists(path))
        m_watcher.addPath(path);
}

void CatalogueSafety::restored(const QString& journalId, bool earlierVersion)
{
    m_confirmReplace = earlierVersion;
    if (journalId.isEmpty())
        return;
    auto journal = std::make_shared<RecoveryJournal>(m_controller.path(), m_controller.form(), journalId);
    if (journal->claim())
        m_journal = std::move(journal);
}

bool CatalogueSafety::beforeSave(const QString& path, CatalogueForm form, bool* saveAsWanted)
{
    if (form == CatalogueForm::TextListing)
        return true;
    const bool own = CataloguePath(path) == CataloguePath(m_watchedPath);
    const auto refuse = [this](const QString& message) {
        m_prompts.ask({PromptIcon::Error, m_shell.text("Shell", "Error"), message, {PromptButton::Ok}});
        return false;
    };
    if (own && m_readOnly)
        return refuse(text("ReadOnlySave").arg(displayed(path)));
    if (!own) {
        CatalogueLock other(path);
        if (!other.tryLock())
            return refuse(text("LockedSave").arg(displayed(path), HolderText(other.holder())));
    }
    if (own && m_confirmReplace
        && m_prompts.ask({PromptIcon::Question, text("VersionCaption"), text("VersionReplace").arg(displayed(path)),
                          {PromptButton::Yes, PromptButton::Cancel}})
               != PromptButton::Yes)
        return false;
    if (own && ChangedSince(m_fingerprint, path)) {
        const PromptButton answer = m_prompts.ask({PromptIcon::Warning, text("ChangedCaption"),
                                                   text("ChangedBeforeSave").arg(displayed(path)),
                                                   {PromptButton::SaveAs, PromptButton::Overwrite, PromptButton::Cancel}});
        if (answer == PromptButton::SaveAs)
            *saveAsWanted = true;
        if (answer != PromptButton::Overwrite)
            return false;
    }
    m_saving = true;
    return true;
}

std::function<Message()> CatalogueSafety::versionKeeping(const QString& path, CatalogueForm form) const
{
    if (form == CatalogueForm::TextListing)
        return [] { return Message(); };
    // A version that cannot be kept (a full state folder) does not stop the save.
    return [path, limits = VersionLimitsOf(m_shell.options())] {
        try {
            KeptVersions().Keep(path, limits);
        } catch (const ReelkeepError& error) {
            return error.text();
        }
        return Message();
    };
}

void CatalogueSafety::saveEnded(const Message& versionTrouble)
{
    m_saving = false;
    if (!versionTrouble.isEmpty())
        note(m_shell.render(versionTrouble));
}

void CatalogueSafety::saved(const QString& path, CatalogueForm form, const FileFingerprint& written)
{
    if (form == CatalogueForm::TextListing)
        return;
    m_confirmReplace = false;
    if (CataloguePath(path) != CataloguePath(m_watchedPath)) {
        auto lock = std::make_unique<CatalogueLock>(path);
        setReadOnly(!lock->tryLock());
        m_lock = std::move(lock);
        if (m_journal)
            m_journal->rename(path, form);
    }
    watch(path, written);
    dropCopy();
    if (m_journal && !m_journalWrite.isRunning())
        m_journal->remove();
}

void CatalogueSafety::changed()
{
    dropCopy();
    if (m_journalWrite.isRunning()) {
        m_changedWhileWriting = true;
        return;
    }
    if (!m_journalTimer.isActive())
        m_journalTimer.start(JournalDelayMs(m_sinceJournal.isValid() ? m_sinceJournal.elapsed() : -1));
}

void CatalogueSafety::discarded()
{
    m_journalTimer.stop();
    dropCopy();
    m_journalWrite.waitForFinished();
    if (m_journal)
        m_journal->remove();
}

void CatalogueSafety::startJournalWrite()
{
    const TzkReelkeep* document = m_controller.document();
    if (!document || !m_controller.isModified() || m_journalWrite.isRunning() || m_copier)
        return;
    if (!m_journal) {
        auto journal = std::make_shared<RecoveryJournal>(m_controller.path(), m_controller.form());
        if (!journal->claim())
            return;
        m_journal = std::move(journal);
    }
    // The one part on this thread: a copy of the records the worker writes alone, taken
    // a few at a time so that a big catalogue never stops the window for long.
    m_copier = std::make_unique<ListsCopier>(document->Lists());
    m_lastCopyMs = 0;
    m_copyStep.start(0);
}

void CatalogueSafety::dropCopy()
{
    m_copyStep.stop();
    // A copy well under way holds most of the records: a worker frees them, as a
    // filter or a sort that drops it would otherwise wait tens of milliseconds more.
    if (m_copier)
        FreeOnWorker(std::move(m_copier));
}

void CatalogueSafety::copyStep()
{
    QElapsedTimer copying;
    copying.start();
    const bool copied = m_copier->step(kRecordsPerCopyStep);
    m_lastCopyMs = std::max(m_lastCopyMs, copying.elapsed());
    if (!copied)
        return;
    std::shared_ptr<const TZKLists> copy = m_copier->take();
    dropCopy();
    m_changedWhileWriting = false;
    m_journalWrite.setFuture(QtConcurrent::run(&LongWorkPool(), [journal = m_journal, copy]() -> Message {
        try {
            journal->write(*copy);
        } catch (const ReelkeepError& error) {
            return error.text();
        }
        return Message();
    }));
}

void CatalogueSafety::journalFinished()
{
    m_sinceJournal.start();
    const QString error = m_shell.render(m_journalWrite.result());
    // Saved (or discarded) while it was written: what it holds is no longer unsaved.
    if (!m_controller.isModified())
        m_journal->remove();
    else if (m_changedWhileWriting || !error.isEmpty())
        changed();
    if (!error.isEmpty())
        note(error);
    emit journalWritten(error);
}

void CatalogueSafety::writeJournalNow()
{
    m_journalTimer.stop();
    m_journalWrite.waitForFinished();
    startJournalWrite();
    while (m_copier)
        copyStep();
    m_journalWrite.waitForFinished();
}

void CatalogueSafety::fileChanged()
{
    // A file replaced by a rename is no longer watched; its new self is.
    if (QFileInfo::exists(m_watchedPath) && !m_watcher.files().contains(m_watchedPath))
        m_watcher.addPath(m_watchedPath);
    if (m_saving || m_askingReload || !ChangedSince(m_fingerprint, m_watchedPath))
        return;
    // Each change outside is told once; the question comes again at save.
    const FileFingerprint now = FileFingerprint::Of(m_watchedPath);
    if (now.hash == m_toldAbout.hash && now.size == m_toldAbout.size && now.exists == m_toldAbout.exists)
        return;
    m_toldAbout = now;
    m_askingReload = true;
    if (m_controller.isModified()) {
        m_prompts.ask({PromptIcon::Information, text("ChangedCaption"), text("ChangedModified").arg(displayed(m_watchedPath)),
                       {PromptButton::Ok}});
    } else if (m_prompts.ask({PromptIcon::Question, text("ChangedCaption"), text("ChangedReload").arg(displayed(m_watchedPath)),
                              {PromptButton::Yes, PromptButton::No}})
               == PromptButton::Yes) {
        m_askingReload = false;
        emit reloadWanted();
        return;
    }
    m_askingReload = false;
}

} // namespace reelkeep
