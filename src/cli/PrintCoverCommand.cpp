// `print-cover FILE --pdf OUT --id ID [--list N] [--cover CVR] [--landscape]`: prints
// the cover of one record, a page per disc, into a PDF file with the settings' cover
// and pens. A cover that does not fit on the page is printed all the same, with a warning.
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
    const CommandArgs parsed(args, {QStringLiteral("--landscape")}, {QStringLiteral("--pdf"), QStringLiteral("--id"), QStringLiteral("--list"), QStringLiteral("--cover")});
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

    // Bad numbers and a bad layout are told before the page size is looked at.
    CoverDiscCount(*record);
    const QByteArray layout = ReadCoverLayout(settings.CoverFile);
    const QPageLayout::Orientation orientation = OrientationArgument(parsed);
    PrintToPdf(parsed.value(QStringLiteral("--pdf")), orientation, [&](TzkPrinter& out) {
        if (!CoverFitsPage(layout, out.Measurements()))
            WriteErr(orientation == QPageLayout::Portrait
                         ? QStringLiteral("Warning: the cover is larger than the page and its edges are cut off; try --landscape.\n")
                         : QStringLiteral("Warning: the cover is larger than the page and its edges are cut off.\n"));
        PrintCovers(out, *record, settings);
    });
    return ExitDone;
}

} // namespace reelkeep::cli
