// `rescan CATALOGUE FOLDER [--list N] [--add]`: what changed in a folder against a list
// of the catalogue, as JSON; with --add the new films are entered as records, moved
// records get their new path, and the catalogue is saved in its own form.
#include "CatalogueFiles.h"
#include "CommandArgs.h"
#include "Commands.h"
#include "EntryCommandSupport.h"
#include "FolderRescan.h"
#include "ReelkeepError.h"
#include "TzkRecordEntry.h"
#include "WriteGuard.h"

#include <QFileInfo>
#include <QJsonArray>

#include <optional>

namespace reelkeep::cli {
namespace {

QJsonObject recordJson(const TzkRow& row, int pathColumn)
{
    return {{QStringLiteral("id"), row.ID},
            {QStringLiteral("title"), row.Fields[csTitle]},
            {QStringLiteral("path"), row.Fields[size_t(pathColumn)]}};
}

} // namespace

int RunRescan(CliContext& context, const QStringList& args)
{
    const CommandArgs parsed(args, {QStringLiteral("--add"), QStringLiteral("--allow-loss")}, {QStringLiteral("--list")});
    parsed.expectPositional(2);
    const QString catalogue = parsed.positional()[0];
    const QString folder = parsed.positional()[1];
    if (!QFileInfo(folder).isDir())
        throw FileError(QStringLiteral("\"%1\" is not a folder.").arg(folder));
    // Only --add writes; the lock is taken before the catalogue is read, so that what is
    // written back is what was read.
    std::optional<WriteGuard> guard;
    if (parsed.has(QStringLiteral("--add")))
        guard.emplace(context, catalogue);
    const std::unique_ptr<zkOptions> options = LoadProgramOptions(context);
    TzkReelkeep doc(options->ColumnTemplate(), options->Formats);
    if (!LoadCatalogue(doc, catalogue))
        return ReportUnknownSignature(catalogue);
    const int listNumber = ChosenListNumber(doc, catalogue, parsed);
    TZKList& list = *doc.List(listNumber - 1);

    const FileNameSeparators separators = FileNameSeparators::From(*options);
    const RescanReport report = MatchRescan(list, folder, WalkForRescan(folder), separators);
    QJsonArray gone, moved;
    for (const TzkRow* row : report.Gone)
        gone.append(recordJson(*row, report.PathColumn));
    for (const MovedRecord& move : report.Moved) {
        QJsonObject item = recordJson(*move.Row, report.PathColumn);
        item.insert(QStringLiteral("to"), move.To);
        moved.append(item);
    }
    QJsonObject json{{QStringLiteral("folder"), RecordPath(folder)},
                     {QStringLiteral("list"), listNumber},
                     {QStringLiteral("byPath"), report.PathColumn >= 0},
                     {QStringLiteral("new"), QJsonArray::fromStringList(report.NewFiles)},
                     {QStringLiteral("gone"), gone},
                     {QStringLiteral("moved"), moved}};

    if (parsed.has(QStringLiteral("--add"))) {
        for (const MovedRecord& move : report.Moved)
            list.FindRowByID(move.Row->ID)->Fields[size_t(report.PathColumn)] = move.To;
        ListEntryTarget target(list);
        TzkRecordEntry entry(target, separators, list.Formats);
        const WalkResult result = entry.EnterFoundFiles(report.NewFiles);
        QJsonArray skipped;
        for (const SkippedPath& skip : result.Skipped)
            skipped.append(QJsonObject{{QStringLiteral("path"), skip.Path}, {QStringLiteral("reason"), skip.Reason.english()}});
        guard->keepVersion();
        SaveCatalogueBack(doc, catalogue, parsed.has(QStringLiteral("--allow-loss")));
        json.insert(QStringLiteral("added"), result.RecordsAdded);
        json.insert(QStringLiteral("skipped"), skipped);
    }
    WriteJson(json);
    return ExitDone;
}

} // namespace reelkeep::cli
