// `merge CATALOGUE TEXTFILE`: adds the records of a text form, as the add-from-list
// command does with list 1 current, and saves the catalogue in its own form.
#include "CatalogueFiles.h"
#include "CommandArgs.h"
#include "Commands.h"
#include "FileIO.h"

namespace reelkeep::cli {

int RunMerge(CliContext& context, const QStringList& args)
{
    const CommandArgs parsed(args, {}, {});
    parsed.expectPositional(2);
    const QString& catalogue = parsed.positional()[0];
    TzkReelkeep doc = NewDocument(context);
    if (!LoadCatalogue(doc, catalogue))
        return ReportUnknownSignature(catalogue);
    doc.CurrentList = 1;
    doc.MergeFromString(ReadWholeFile(parsed.positional()[1]));
    SaveCatalogue(doc, catalogue);
    return ExitDone;
}

} // namespace reelkeep::cli
