// `dump FILE [--as-kdx]`: the catalogue as JSON, exactly as it was loaded.
#include "CatalogueFiles.h"
#include "CatalogueJson.h"
#include "CommandArgs.h"
#include "Commands.h"

namespace reelkeep::cli {

int RunDump(CliContext& context, const QStringList& args)
{
    const CommandArgs parsed(args, {QStringLiteral("--as-kdx")}, {});
    parsed.expectPositional(1);
    TzkReelkeep doc = NewDocument(context);
    if (!LoadCatalogue(doc, parsed.positional()[0], parsed.has(QStringLiteral("--as-kdx"))))
        return ReportUnknownSignature(parsed.positional()[0]);
    WriteOut(CatalogueJsonText(doc.Lists()));
    return ExitDone;
}

} // namespace reelkeep::cli
