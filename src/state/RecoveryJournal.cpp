#include "RecoveryJournal.h"

#include "CatalogueLock.h"
#include "FileIO.h"
#include "ReelkeepError.h"
#include "StatePaths.h"
#include "TReelkeepXMLSerialiazerV2_1.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QUuid>
#include <algorithm>

namespace reelkeep {
namespace {

const QString kJournal = QStringLiteral(".xkdx");
const QString kName = QStringLiteral(".catalogue");
const QString kLock = QStringLiteral(".lock");

// The name file: the catalogue's path on the first line, the form's number on the second.
QByteArray nameFileText(const QString& catalogue, CatalogueForm form)
{
    return catalogue.toUtf8() + '\n' + QByteArray::number(static_cast<int>(form)) + '\n';
}

bool readNameFile(const QString& fileName, RecoveryEntry& entry)
{
    QByteArray text;
    try {
        text = ReadFileStart(fileName, 64 * 1024);
    } catch (const ReelkeepError&) {
        return false;
    }
    const QList<QByteArray> lines = text.split('\n');
    bool ok = false;
    const int form = lines.value(1).toInt(&ok);
    if (lines.size() < 2 || lines[0].isEmpty() || !ok || form < 0 || form > static_cast<int>(CatalogueForm::Xls))
        return false;
    entry.catalogue = QString::fromUtf8(lines[0]);
    entry.form = static_cast<CatalogueForm>(form);
    return true;
}

} // namespace

int JournalDelayMs(qint64 sinceLastWrite)
{
    constexpr qint64 kSettle = 500; // a burst of typing makes one write
    constexpr qint64 kGap = 5000;
    if (sinceLastWrite < 0)
        return static_cast<int>(kSettle);
    return static_cast<int>(std::clamp(kGap - sinceLastWrite, kSettle, kGap));
}

QString RecoveryJournal::DefaultFolder()
{
    return StateFolder(QStringLiteral("recovery"));
}

RecoveryJournal::RecoveryJournal(const QString& catalogue, CatalogueForm form, const QString& id, QString folder)
    : m_folder(folder.isEmpty() ? DefaultFolder() : std::move(folder)),
      m_id(id.isEmpty() ? CatalogueKey(catalogue) + QLatin1Char('-') + QUuid::createUuid().toString(QUuid::Id128).left(12) : id),
      m_catalogue(CataloguePath(catalogue)), m_form(form)
{
}

RecoveryJournal::~RecoveryJournal() = default;

QString RecoveryJournal::journalFile() const
{
    return m_folder + QLatin1Char('/') + m_id + kJournal;
}

bool RecoveryJournal::claim()
{
    if (m_lock)
        return true;
    QDir().mkpath(m_folder);
    auto lock = std::make_unique<QLockFile>(m_folder + QLatin1Char('/') + m_id + kLock);
    if (!TakeLockFile(*lock))
        return false;
    m_lock = std::move(lock);
    return true;
}

void RecoveryJournal::write(const TZKLists& lists) const
{
    if (!QDir().mkpath(m_folder))
        throw FileError(Message("StateCannotCreateFolder").arg(m_folder));
    const QString nameFile = m_folder + QLatin1Char('/') + m_id + kName;
    const QByteArray name = nameFileText(m_catalogue, m_form);
    if (!QFileInfo::exists(nameFile) || ReadFileStart(nameFile, name.size() + 1) != name)
        WriteFileAtomically(nameFile, name);
    TReelkeepXMLSerialiazerV2_1().Save(journalFile(), lists);
}

void RecoveryJournal::rename(const QString& catalogue, CatalogueForm form)
{
    m_catalogue = CataloguePath(catalogue);
    m_form = form;
    if (QFileInfo::exists(journalFile()))
        WriteFileAtomically(m_folder + QLatin1Char('/') + m_id + kName, nameFileText(m_catalogue, m_form));
}

void RecoveryJournal::remove() const
{
    QFile::remove(journalFile());
    QFile::remove(m_folder + QLatin1Char('/') + m_id + kName);
}

std::vector<RecoveryEntry> RecoveryJournal::Orphans(const QString& folder)
{
    const QDir dir(folder.isEmpty() ? DefaultFolder() : folder);
    std::vector<RecoveryEntry> found;
    for (const QFileInfo& journal : dir.entryInfoList({QLatin1Char('*') + kJournal}, QDir::Files, QDir::Time)) {
        RecoveryEntry entry;
        entry.id = journal.completeBaseName();
        entry.journal = journal.absoluteFilePath();
        entry.written = journal.lastModified();
        if (!readNameFile(dir.filePath(entry.id + kName), entry))
            continue;
        // A journal whose lock a live process holds belongs to an open window.
        QLockFile lock(dir.filePath(entry.id + kLock));
        if (!TakeLockFile(lock))
            continue;
        found.push_back(entry);
    }
    return found;
}

} // namespace reelkeep
