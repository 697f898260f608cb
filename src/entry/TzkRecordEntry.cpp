#include "TzkRecordEntry.h"

#include "CodePage.h"
#include "FolderRescan.h"
#include "FolderWalk.h"
#include "FrameGrabber.h"
#include "IntegerText.h"
#include "MediaPrefetcher.h"
#include "MediaValues.h"
#include "PatternFilling.h"
#include "ReelkeepError.h"
#include "Statistics.h"
#include "TextUtils.h"
#include "TzkFileNameParser.h"

#include <QDir>
#include <QFileInfo>
#include <map>
#include <thread>

namespace reelkeep {
namespace {

std::int32_t low32(std::int64_t value)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(value)));
}

bool samePath(const QString& a, const QString& b)
{
    return QDir::cleanPath(a) == QDir::cleanPath(b);
}

// The existing part files of a multi-part film, by part number. The folder is
// listed once instead of probing every number up to a count taken from a name.
std::map<int, QString> existingParts(const TzkFileNameParser& parser)
{
    std::map<int, QString> parts;
    const QStringList names = QDir(parser.Dir).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::NoSort);
    const qsizetype fixed = parser.PartPrefix.size() + parser.PartSuffix.size();
    for (const QString& name : names) {
        if (name.size() <= fixed || !name.startsWith(parser.PartPrefix) || !name.endsWith(parser.PartSuffix))
            continue;
        const QString number = name.mid(parser.PartPrefix.size(), name.size() - fixed);
        const std::optional<qint64> n = IsNumber(number) ? ParseInteger(number, 1, parser.PartsCount) : std::nullopt;
        if (n && number == QString::number(*n))
            parts.emplace(static_cast<int>(*n), parser.Dir + QLatin1Char('/') + name);
    }
    return parts;
}

// A DVD file by the name asked for, or with the extension in capitals as DVDs
// copied from the disc often are; empty when neither exists.
QString existingDvdFile(const QString& dir, const QString& stem, const QString& extension)
{
    for (const QString& ext : {extension, extension.toUpper()}) {
        const QString path = dir + QLatin1Char('/') + stem + ext;
        if (QFileInfo(path).isFile())
            return path;
    }
    return {};
}

} // namespace

TzkRecordEntry::TzkRecordEntry(RecordEntryTarget& target, FileNameSeparators separators, LocaleFormats formats)
    : m_target(target)
    , m_separators(std::move(separators))
    , m_formats(std::move(formats))
{
}

TzkRecordEntry::~TzkRecordEntry() = default;

std::shared_ptr<const TzkVideoInfo> TzkRecordEntry::media(const QString& path, const std::function<bool()>& cancelled)
{
    if (m_prefetcher)
        if (auto taken = m_prefetcher->Take(path, cancelled))
            return *taken;
    if (!m_examiner)
        m_examiner = std::make_unique<MediaExaminer>(m_mediaDeadline);
    return m_examiner->Examine(path, cancelled);
}

void TzkRecordEntry::SetMediaDeadline(std::chrono::milliseconds deadline)
{
    m_mediaDeadline = deadline;
    m_examiner.reset();
}

std::optional<FileValues> TzkRecordEntry::examineFile(const QString& file, QStringList* batch, const std::function<bool()>& cancelled)
{
    const std::shared_ptr<const TzkVideoInfo> info = media(file, cancelled);
    if (!info)
        return std::nullopt;
    QString f = file;
    const CodePage& cp = CodePage::Default();
    if (cp.lower(QStringView(f).right(4)) == QLatin1String(".ifo")) {
        const bool capitals = f.endsWith(QLatin1String(".IFO"));
        f = f.chopped(4) + (capitals ? QStringLiteral(".VOB") : QStringLiteral(".vob"));
    }
    TzkFileNameParser parser(m_separators);
    parser.Parse(f);

    // Every part and every title-set file counts with its own size.
    std::int64_t totalSize = 0;
    std::int64_t totalLength = 0;
    QString firstPart = file;
    const auto add = [&](const TzkVideoInfo& part, const QString& path) {
        totalSize += MebibytesRounded(part.FileSize);
        totalLength += part.Video.front().Duration;
        if (!part.LengthRead && m_lengthUnread)
            m_lengthUnread(path);
    };
    if (!parser.IsDvd && parser.PartsCount <= 1) {
        if (QFileInfo::exists(f))
            add(*info, file);
    } else if (!parser.IsDvd) {
        const std::map<int, QString> parts = existingParts(parser);
        if (!parts.empty())
            firstPart = parts.begin()->second;
        for (const auto& [number, part] : parts) {
            if (samePath(part, f)) {
                add(*info, file);
                continue;
            }
            if (batch)
                batch->removeIf([&partPath = part](const QString& queued) { return samePath(queued, partPath); });
            add(*media(part), part);
        }
    } else {
        const QString name = QFileInfo(f).fileName();
        const QString stem = name.chopped(5);
        const QString extension = name.right(4);
        for (int i = 1;; ++i) {
            const QString part = existingDvdFile(parser.Dir, stem + QString::number(i), extension);
            if (part.isEmpty())
                break;
            if (i == 1)
                firstPart = part;
            add(*media(part), part);
        }
    }

    FileValues values = FileValues::From(parser, *info);
    values.TotalSize = low32(totalSize);
    values.TotalLength = low32(totalLength);
    values.Path = RecordPath(firstPart);
    return values;
}

void TzkRecordEntry::storeValues(TzkRow& row, const FileValues& values)
{
    const TZKList& list = m_target.List();
    for (const int c : m_target.PanelColumns()) {
        if (c < 0 || c >= list.ColumnCount())
            continue;
        const QString text = FillPattern(list.Column(c).Pattern, values, m_formats);
        if (!text.isEmpty() && text != QLatin1String(" "))
            m_target.StoreCell(row, c, text);
    }
}

void TzkRecordEntry::addFrame(TzkRow& row, const QString& file, const std::function<bool()>& cancelled)
{
    if (!m_frames)
        m_frames = std::make_unique<FrameGrabber>();
    try {
        const QByteArray frame = m_frames->Grab({file, double(kEntryFramePercent)}, cancelled);
        if (!frame.isEmpty())
            m_target.AddImage(row, frame);
    } catch (const FileError&) {
        // The record stands without a picture, as one entered with the setting off.
    }
}

int TzkRecordEntry::ProcessFiles(QStringList files, const WalkOptions& options)
{
    WalkResult result;
    result.FilesFound = static_cast<int>(files.size());
    processBatch(std::move(files), options, false, result);
    return result.RecordsAdded;
}

// Files named one by one stop at the first that cannot be read, its record added
// and left empty as the add-record command leaves it; a walk skips such a file
// before adding its record and goes on. A file whose examination was cancelled
// gets no record.
void TzkRecordEntry::processBatch(QStringList batch, const WalkOptions& options, bool skipUnreadable, WalkResult& result)
{
    while (!batch.isEmpty()) {
        if (options.Cancelled && options.Cancelled()) {
            result.Cancelled = true;
            break;
        }
        const qsizetype before = batch.size();
        const QString file = batch.first();
        std::optional<FileValues> values;
        bool skipped = false;
        try {
            values = examineFile(file, &batch, options.Cancelled);
            if (!values) {
                result.Cancelled = true;
                break;
            }
        } catch (const ReelkeepError& error) {
            if (skipUnreadable && (dynamic_cast<const FileError*>(&error) || dynamic_cast<const ConversionError*>(&error))) {
                result.Skipped.push_back({file, error.text()});
                skipped = true;
            } else {
                if (!skipUnreadable) {
                    m_target.AddEmptyRecord();
                    ++result.RecordsAdded;
                }
                throw;
            }
        }
        if (!skipped) {
            TzkRow& row = *m_target.AddEmptyRecord();
            storeValues(row, *values);
            ++result.RecordsAdded;
            if (m_frameForNewRecords)
                addFrame(row, file, options.Cancelled);
        }
        batch.removeFirst();
        result.FilesDone += static_cast<int>(before - batch.size());
        if (options.Progress)
            options.Progress(result.FilesDone, result.FilesFound);
    }
}

WalkResult TzkRecordEntry::EnterFoundFiles(QStringList files, const WalkOptions& options)
{
    WalkResult result;
    result.FilesFound = static_cast<int>(files.size());
    processBatch(std::move(files), options, true, result);
    return result;
}

WalkResult TzkRecordEntry::AddFolder(const QString& dir, const WalkOptions& options)
{
    WalkResult result;
    VideoBatches walk = CollectVideoBatches(dir, options.Cancelled);
    const std::vector<QStringList>& batches = walk.Batches;
    result.Skipped = std::move(walk.Skipped);
    if (options.Cancelled && options.Cancelled()) {
        result.Cancelled = true;
        return result;
    }
    QStringList all;
    for (const QStringList& batch : batches)
        all += batch;
    result.FilesFound = static_cast<int>(all.size());
    const int threads = options.Threads > 0 ? options.Threads : static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    std::unique_ptr<MediaPrefetcher> prefetcher;
    if (threads > 1 && all.size() > 1)
        prefetcher = std::make_unique<MediaPrefetcher>(all, threads, 4 * threads, m_mediaDeadline);
    m_prefetcher = prefetcher.get();
    try {
        for (const QStringList& batch : batches) {
            processBatch(batch, options, true, result);
            if (result.Cancelled)
                break;
        }
    } catch (...) {
        m_prefetcher = nullptr;
        throw;
    }
    m_prefetcher = nullptr;
    return result;
}

void TzkRecordEntry::FillCurrentRecord(const QString& file)
{
    if (TzkRow* row = m_target.CurrentRecord())
        if (const std::optional<FileValues> values = examineFile(file, nullptr))
            storeValues(*row, *values);
}

void TzkRecordEntry::AppendFile(const QString& file)
{
    TzkRow* row = m_target.CurrentRecord();
    if (!row)
        return;
    const TZKList& list = m_target.List();
    const int sizeColumn = FindColumnByPattern(list, QStringLiteral("%Size%"));
    const int countColumn = FindColumnByPattern(list, QStringLiteral("%FilesCount%"));
    const int lengthColumn = FindColumnByPattern(list, QStringLiteral("%VidLength%"));
    const std::shared_ptr<const TzkVideoInfo> info = media(file);
    // All new texts are worked out first, so that a cell that is not a number changes nothing.
    std::vector<std::pair<int, QString>> changes;
    for (const int c : m_target.PanelColumns()) {
        if (c < 0 || c >= kColumnCount)
            continue;
        const QString& cell = row->Fields[static_cast<size_t>(c)];
        if (cell.isEmpty() || (c != sizeColumn && c != countColumn && c != lengthColumn))
            continue;
        std::int64_t added = 1;
        if (c == sizeColumn)
            added = MebibytesRounded(QFileInfo(file).size());
        else if (c == lengthColumn)
            added = info->Video.front().Duration / 60;
        changes.emplace_back(c, QString::number(low32(ToInteger(cell) + added)));
    }
    for (const auto& [column, text] : changes)
        m_target.StoreCell(*row, column, text);
    if (lengthColumn >= 0 && !info->LengthRead && m_lengthUnread)
        m_lengthUnread(file);
}

} // namespace reelkeep
