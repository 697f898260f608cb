// `merge CATALOGUE TEXTFILE [--allow-loss]`: adds the records of a text form, as the
// add-from-list command does with list 1 current, and saves the catalogue in its own form.
#include "CatalogueFiles.h"
#include "CommandArgs.h"
#include "Commands.h"
#include "WriteGuard.h"
#include "FileIO.h"
#include "ReelkeepError.h"

namespace reelkeep::cli {

int RunMerge(CliContext& context, const QStringList& args)
{
    const CommandArgs parsed(args, {QStringLiteral("--allow-loss")}, {});
    parsed.expectPositional(2);
    const QString& catalogue = parsed.positional()[0];
    const WriteGuard guard(context, catalogue);
    TzkReelkeep doc = NewDocument(context);
    if (!LoadCatalogue(doc, catalogue))
        return ReportUnknownSignature(catalogue);
    doc.CurrentList = 1;
    const QString& textFile = parsed.positional()[1];
    int added = 0;
    try {
        added = doc.MergeFromString(ReadWholeFile(textFile));
    } catch (const FormatError& error) {
        throw FormatError(QStringLiteral("Nothing was merged from \"%1\". %2").arg(textFile, error.message()));
    }
    if (added == 0)
        throw ReelkeepError(QStringLiteral("\"%1\" holds no record; nothing was merged.").arg(textFile));
    guard.keepVersion();
    SaveCatalogueBack(doc, catalogue, parsed.has(QStringLiteral("--allow-loss")));
    WriteOut(QStringLiteral("%1 records merged into %2\n").arg(added).arg(catalogue));
    return ExitDone;
}

} // namespace reelkeep::cli
