#include "FolderWalk.h"

#include "CodePage.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace reelkeep {

const char* const kVideoExtensionList =
    "All video files|*.avi;*.ogm;*.mpg;*.mpe;*.mpeg;*.vob;*.mov;*.asf;*.wmv;*.ram;*.rm;*.mp4;*.mkv;*.ifo;*.ts;*rmvb;*.flv|"
    "AVI files|*.avi|OGM files|*.ogm|MPG files|*.mpg;*.mpe*|MOV files|*.mov|ASF files|*.asf|WMV files|*.wmv|"
    "RAM files|*.ram;*.rm;*.rmvb|DVD files|*.vob;*.ifo|MP4 files|*.mp4|Matroska|*.mkv|TS|*.ts|FLV|*.flv";

bool IsVideoFileName(const QString& fileName)
{
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return false;
    static const QString list = QString::fromLatin1(kVideoExtensionList);
    return list.contains(CodePage::Default().lower(QStringView(fileName).mid(dot)));
}

namespace {

class Walker {
public:
    explicit Walker(const std::function<bool()>& cancelled)
        : m_cancelled(cancelled)
    {
    }

    bool walk(const QString& dir)
    {
        // A folder reached again through a link is not walked twice.
        const QString canonical = QFileInfo(dir).canonicalFilePath();
        if (canonical.isEmpty() || m_seen.contains(canonical))
            return true;
        m_seen.insert(canonical);
        QStringList files;
        const QFileInfoList entries = QDir(dir).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                                                              QDir::Name | QDir::IgnoreCase);
        for (const QFileInfo& entry : entries) {
            if (m_cancelled && m_cancelled())
                return false;
            if (entry.isDir()) {
                if (!walk(entry.filePath()))
                    return false;
            } else if (IsVideoFileName(entry.fileName())) {
                files.append(entry.filePath());
            }
        }
        if (!files.isEmpty())
            batches.push_back(files);
        return true;
    }

    std::vector<QStringList> batches;

private:
    const std::function<bool()>& m_cancelled;
    QSet<QString> m_seen;
};

} // namespace

std::vector<QStringList> CollectVideoBatches(const QString& dir, const std::function<bool()>& cancelled)
{
    QString root = dir;
    while (root.size() > 1 && (root.endsWith(QLatin1Char('/')) || root.endsWith(QLatin1Char('\\'))))
        root.chop(1);
    Walker walker(cancelled);
    walker.walk(root);
    return std::move(walker.batches);
}

} // namespace reelkeep
