// `add CATALOGUE [--list N] [--allow-loss] PATH...`: records from video files and folders,
// appended to a list of the catalogue, which is then saved in its own form.
#include "CatalogueFiles.h"
#include "CommandArgs.h"
#include "Commands.h"
#include "EntryCommandSupport.h"
#include "FileNameSeparators.h"
#include "ReelkeepError.h"
#include "TzkRecordEntry.h"
#include "WriteGuard.h"

#include <QFileInfo>
#include <unistd.h>

namespace reelkeep::cli {

int RunAdd(CliContext& context, const QStringList& args)
{
    const CommandArgs parsed(args, {QStringLiteral("--allow-loss")}, {QStringLiteral("--list")});
    if (parsed.positional().size() < 2)
        throw UsageError{QStringLiteral("add needs a catalogue and at least one file or folder")};
    const QString catalogue = parsed.positional()[0];
    const QStringList paths = parsed.positional().mid(1);
    // Every path must exist before anything is entered, as the file dialogs ensure.
    for (const QString& path : paths)
        if (!QFileInfo::exists(path))
            throw FileError(QStringLiteral("\"%1\" does not exist.").arg(path));

    const WriteGuard guard(context, catalogue);
    const std::unique_ptr<zkOptions> options = LoadProgramOptions(context);
    TzkReelkeep doc(options->ColumnTemplate(), options->Formats);
    if (QFileInfo::exists(catalogue)) {
        if (!LoadCatalogue(doc, catalogue))
            return ReportUnknownSignature(catalogue);
    } else {
        doc.AddList(0, QFileInfo(catalogue).completeBaseName());
    }
    const int listNumber = ChosenListNumber(doc, catalogue, parsed);
    TZKList& list = *doc.List(listNumber - 1);

    ListEntryTarget target(list);
    TzkRecordEntry entry(target, FileNameSeparators::From(*options), list.Formats);
    WalkOptions walk;
    if (isatty(STDERR_FILENO))
        walk.Progress = [](int done, int found) { WriteErr(QStringLiteral("\r%1/%2 files").arg(done).arg(found)); };
    int added = 0;
    std::vector<SkippedPath> skipped;
    // Files given one after another make one batch, as chosen together in the file dialog.
    QStringList batch;
    const auto flush = [&] {
        added += entry.ProcessFiles(batch);
        batch.clear();
    };
    for (const QString& path : paths) {
        if (QFileInfo(path).isDir()) {
            flush();
            WalkResult result = entry.AddFolder(path, walk);
            added += result.RecordsAdded;
            skipped.insert(skipped.end(), result.Skipped.begin(), result.Skipped.end());
        } else {
            batch.append(QFileInfo(path).absoluteFilePath());
        }
    }
    flush();
    if (walk.Progress)
        WriteErr(QStringLiteral("\n"));
    guard.keepVersion();
    SaveCatalogueBack(doc, catalogue, parsed.has(QStringLiteral("--allow-loss")));
    WriteOut(QStringLiteral("%1 records added to list %2 of %3\n").arg(added).arg(listNumber).arg(catalogue));
    if (!skipped.empty()) {
        QString list = QStringLiteral("%1 skipped:\n").arg(skipped.size());
        for (const SkippedPath& skip : skipped)
            list += QStringLiteral("  %1: %2\n").arg(skip.Path, skip.Reason.english());
        WriteOut(list);
    }
    return ExitDone;
}

} // namespace reelkeep::cli
