#include "FolderRescan.h"

#include "DuplicateFinder.h"
#include "FolderWalk.h"
#include "IntegerText.h"
#include "MediaValues.h"
#include "RecordFigures.h"
#include "Statistics.h"
#include "TextUtils.h"
#include "TzkFileNameParser.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <map>
#include <optional>

namespace reelkeep {
namespace {

// One film of the walk: its parts by number (a single file is part 1).
struct Film {
    std::map<int, QString> Parts;
    std::int64_t Megabytes = 0;
    QString Title; // as titles are compared
    QString First() const { return Parts.begin()->second; }
};

// The part number of a multi-part file, or nothing when the name is not one of its parts.
std::optional<int> partNumber(const TzkFileNameParser& parser, const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    const qsizetype fixed = parser.PartPrefix.size() + parser.PartSuffix.size();
    if (name.size() <= fixed || !name.startsWith(parser.PartPrefix) || !name.endsWith(parser.PartSuffix))
        return std::nullopt;
    const QString number = name.mid(parser.PartPrefix.size(), name.size() - fixed);
    const std::optional<qint64> n = IsNumber(number) ? ParseInteger(number, 1, parser.PartsCount) : std::nullopt;
    return n ? std::optional<int>(int(*n)) : std::nullopt;
}

std::vector<Film> filmsOf(const std::vector<FoundFile>& files, const FileNameSeparators& separators)
{
    std::vector<Film> films;
    QHash<QString, size_t> multiPart; // folder, prefix and suffix of a multi-part film -> its film
    for (const FoundFile& file : files) {
        TzkFileNameParser parser(separators);
        parser.Parse(file.Path);
        const QString path = RecordPath(file.Path);
        std::optional<int> part;
        if (!parser.IsDvd && parser.PartsCount > 1)
            part = partNumber(parser, file.Path);
        size_t at = films.size();
        if (part) {
            const QString key = parser.Dir + QLatin1Char('\n') + parser.PartPrefix + QLatin1Char('\n') + parser.PartSuffix;
            const auto known = multiPart.constFind(key);
            if (known != multiPart.cend())
                at = known.value();
            else
                multiPart.insert(key, at);
        }
        if (at == films.size())
            films.push_back({{}, 0, ComparableTitle(parser.Name)});
        films[at].Parts.emplace(part.value_or(1), path);
        films[at].Megabytes += MebibytesRounded(file.Bytes);
    }
    return films;
}

bool liesUnder(const QString& path, const QString& folder)
{
    return path.startsWith(folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/'));
}

} // namespace

QString RecordPath(const QString& path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

RescanReport MatchRescan(const TZKList& list, const QString& folder, const std::vector<FoundFile>& files,
                         const FileNameSeparators& separators)
{
    RescanReport report;
    report.PathColumn = FindColumnByPattern(list, QStringLiteral("%Path%"));
    const int sizeColumn = RecordColumns::Of(list).Size;
    const QString root = RecordPath(folder);
    const std::vector<Film> films = filmsOf(files, separators);

    // Records by path, and by title for those the path cannot tell.
    QHash<QString, const TzkRow*> byPath;
    QMultiHash<QString, const TzkRow*> byTitle;
    std::vector<const TzkRow*> underFolder;
    ForEachRecord(list.Items(), [&](const TzkRow& row) {
        const QString path = report.PathColumn >= 0 ? row.Fields[size_t(report.PathColumn)].trimmed() : QString();
        if (path.isEmpty()) {
            byTitle.insert(ComparableTitle(row.Fields[csTitle]), &row);
            return;
        }
        const QString clean = RecordPath(path);
        byPath.insert(clean, &row);
        if (liesUnder(clean, root))
            underFolder.push_back(&row);
    });
    // A record without a size is matched by its name alone.
    const auto sameSize = [sizeColumn](const TzkRow& row, const Film& film) {
        const std::optional<int> size = CellNumber(row, sizeColumn);
        return !size || *size == film.Megabytes;
    };

    QSet<QString> walked;
    std::vector<const Film*> unmatched;
    for (const Film& film : films) {
        bool known = false;
        for (const auto& [number, path] : film.Parts) {
            walked.insert(path);
            known = known || byPath.contains(path);
        }
        if (!known && !film.Title.isEmpty())
            for (auto it = byTitle.constFind(film.Title); it != byTitle.cend() && it.key() == film.Title && !known; ++it)
                known = sameSize(*it.value(), film);
        if (!known)
            unmatched.push_back(&film);
    }

    // A gone record whose file name and size turn up among the unmatched films has moved.
    for (const TzkRow* row : underFolder) {
        const QString path = RecordPath(row->Fields[size_t(report.PathColumn)].trimmed());
        if (walked.contains(path))
            continue;
        const QString name = QFileInfo(path).fileName();
        const auto moved = std::find_if(unmatched.begin(), unmatched.end(), [&](const Film* film) {
            return film && QFileInfo(film->First()).fileName() == name && sameSize(*row, *film);
        });
        if (moved != unmatched.end()) {
            report.Moved.push_back({row, path, (*moved)->First()});
            *moved = nullptr;
        } else {
            report.Gone.push_back(row);
        }
    }
    for (const Film* film : unmatched)
        if (film)
            report.NewFiles << film->First();
    return report;
}

std::vector<FoundFile> WalkForRescan(const QString& folder, const std::function<bool()>& cancelled)
{
    std::vector<FoundFile> found;
    for (const QStringList& batch : CollectVideoBatches(folder, cancelled).Batches)
        for (const QString& path : batch) {
            if (cancelled && cancelled())
                return found;
            found.push_back({path, QFileInfo(path).size()});
        }
    return found;
}

} // namespace reelkeep
