// `print-cover FILE --pdf OUT --id ID [--list N] [--cover CVR]`: prints the cover
// of one record, a page per disc, into a PDF file with the settings' cover and pens.
#include "CatalogueFiles.h"
#include "CommandArgs.h"
#include "Commands.h"
#include "CoverPrinting.h"
#include "EntryCommandSupport.h"
#include "PrintCommandSupport.h"
#include "ReelkeepError.h"
#include "zkOptions.h"

#include <limits>

namespace reelkeep::cli {

int RunPrintCover(CliContext& context, const QStringList& args)
{
    const CommandArgs parsed(args, {}, {QStringLiteral("--pdf"), QStringLiteral("--id"), QStringLiteral("--list"), QStringLiteral("--cover")});
    parsed.expectPositional(1);
    if (!parsed.has(QStringLiteral("--pdf")))
        throw UsageError{QStringLiteral("--pdf is required")};
    const int id = parsed.number(QStringLiteral("--id"), std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    const int listNumber = ListNumberArgument(parsed);

    TzkReelkeep doc;
    const TZKList* list = LoadListToPrint(doc, parsed.positional()[0], listNumber);
    if (!list)
        return ReportUnknownSignature(parsed.positional()[0]);
    const TzkRow* record = list->FindRowByID(id);
    if (!record)
        throw ReelkeepError(QStringLiteral("List %1 has no record with the ID %2.").arg(listNumber).arg(id));

    CoverPrintSettings settings = CoverSettingsFrom(*LoadProgramOptions(context));
    if (parsed.has(QStringLiteral("--cover")))
        settings.CoverFile = parsed.value(QStringLiteral("--cover"));

    PrintToPdf(parsed.value(QStringLiteral("--pdf")), [&](TzkPrinter& out) { PrintCovers(out, *record, settings); });
    return ExitDone;
}

} // namespace reelkeep::cli
