// `text FILE [--as-kdx]`: the catalogue's "kdx v1.3" text form, byte for byte, on stdout.
#include "CatalogueFiles.h"
#include "CommandArgs.h"
#include "Commands.h"

namespace reelkeep::cli {

int RunText(CliContext& context, const QStringList& args)
{
    const CommandArgs parsed(args, {QStringLiteral("--as-kdx")}, {});
    parsed.expectPositional(1);
    TzkReelkeep doc = NewDocument(context);
    if (!LoadCatalogue(doc, parsed.positional()[0], parsed.has(QStringLiteral("--as-kdx"))))
        return ReportUnknownSignature(parsed.positional()[0]);
    WriteOut(doc.SaveToString());
    return ExitDone;
}

} // namespace reelkeep::cli
