#include "KeptVersions.h"

#include "FileIO.h"
#include "ReelkeepError.h"
#include "StatePaths.h"
#include "TZKLists.h"
#include "zkOptions.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace reelkeep {
namespace {

// Versions are numbered files ("000012.kdx"); the number grows with every one kept.
int sequenceOf(const QFileInfo& file)
{
    bool ok = false;
    const int sequence = file.completeBaseName().toInt(&ok);
    return ok ? sequence : -1;
}

std::vector<QFileInfo> versionFiles(const QString& folder)
{
    std::vector<QFileInfo> files;
    for (const QFileInfo& file : QDir(folder).entryInfoList(QDir::Files))
        if (sequenceOf(file) >= 0)
            files.push_back(file);
    std::sort(files.begin(), files.end(), [](const QFileInfo& a, const QFileInfo& b) { return sequenceOf(a) > sequenceOf(b); });
    return files;
}

const QString kNameFile = QStringLiteral("catalogue.path");

} // namespace

QString RecordCountsText(const TZKLists& lists)
{
    QStringList counts;
    for (const auto& list : lists.Lists) {
        int count = 0;
        std::vector<const TzkRow*> pending;
        for (const RowPtr& row : list->Items())
            pending.push_back(row.get());
        while (!pending.empty()) {
            const TzkRow* row = pending.back();
            pending.pop_back();
            ++count;
            for (const RowPtr& child : row->Children)
                pending.push_back(child.get());
        }
        counts << QString::number(count);
    }
    return counts.join(QLatin1Char('+'));
}

VersionLimits VersionLimitsOf(const zkOptions& options)
{
    return {options.KeepVersions, static_cast<qint64>(options.KeepVersionsMB) * 1024 * 1024};
}

KeptVersions::KeptVersions(QString root) : m_root(root.isEmpty() ? StateFolder(QStringLiteral("versions")) : std::move(root)) {}

QString KeptVersions::folderOf(const QString& catalogue) const
{
    return m_root + QLatin1Char('/') + CatalogueKey(catalogue);
}

void KeptVersions::Keep(const QString& catalogue, const VersionLimits& limits) const
{
    const QFileInfo source(CataloguePath(catalogue));
    if (!source.isFile() || limits.count < 1 || source.size() > limits.bytes)
        return;
    const QString folder = folderOf(catalogue);
    if (!QDir().mkpath(folder))
        throw FileError(Message("StateCannotCreateFolder").arg(folder));
    // The folder names its catalogue, for a person looking at it.
    if (!QFileInfo::exists(folder + QLatin1Char('/') + kNameFile))
        WriteFileAtomically(folder + QLatin1Char('/') + kNameFile, QByteArray(source.absoluteFilePath().toUtf8() + '\n'));
    const std::vector<QFileInfo> kept = versionFiles(folder);
    const int next = kept.empty() ? 1 : sequenceOf(kept.front()) + 1;
    const QString suffix = source.suffix().isEmpty() ? QString() : QLatin1Char('.') + source.suffix();
    const QString target = folder + QLatin1Char('/') + QStringLiteral("%1").arg(next, 6, 10, QLatin1Char('0')) + suffix;
    WriteFileAtomically(target, ReadWholeFile(source.absoluteFilePath()));
    QFile copy(target);
    if (copy.open(QIODevice::ReadWrite))
        copy.setFileTime(source.lastModified(), QFileDevice::FileModificationTime);
    dropBeyond(limits, catalogue);
}

void KeptVersions::dropBeyond(const VersionLimits& limits, const QString& catalogue) const
{
    const std::vector<QFileInfo> own = versionFiles(folderOf(catalogue));
    for (size_t i = static_cast<size_t>(limits.count); i < own.size(); ++i)
        QFile::remove(own[i].absoluteFilePath());
    // The size limit counts every catalogue's versions; the oldest saved go first.
    std::vector<QFileInfo> all;
    for (const QFileInfo& folder : QDir(m_root).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot))
        for (const QFileInfo& file : versionFiles(folder.absoluteFilePath()))
            all.push_back(file);
    std::sort(all.begin(), all.end(), [](const QFileInfo& a, const QFileInfo& b) { return a.lastModified() < b.lastModified(); });
    qint64 total = 0;
    for (const QFileInfo& file : all)
        total += file.size();
    for (auto file = all.begin(); file != all.end() && total > limits.bytes; ++file) {
        if (QFile::remove(file->absoluteFilePath()))
            total -= file->size();
    }
}

std::vector<KeptVersion> KeptVersions::List(const QString& catalogue) const
{
    std::vector<KeptVersion> versions;
    int number = 0;
    for (const QFileInfo& file : versionFiles(folderOf(catalogue)))
        versions.push_back({++number, file.absoluteFilePath(), file.lastModified(), file.size()});
    return versions;
}

} // namespace reelkeep
