// `print-cover FILE --pdf OUT --id ID [--list N] [--cover CVR]`: prints the cover
// of one record, a page per disc, into a PDF file with the settings' cover and pens.
#include "CatalogueFiles.h"
#include "CommandArgs.h"
#include "Commands.h"
#include "CoverPrinting.h"
#include "ReelkeepError.h"
#include "TzkPrinter.h"
#include "zkOptions.h"

#include <QPrinter>
#include <limits>

namespace reelkeep::cli {

int RunPrintCover(CliContext& context, const QStringList& args)
{
    const CommandArgs parsed(args, {}, {QStringLiteral("--pdf"), QStringLiteral("--id"), QStringLiteral("--list"), QStringLiteral("--cover")});
    parsed.expectPositional(1);
    if (!parsed.has(QStringLiteral("--pdf")))
        throw UsageError{QStringLiteral("--pdf is required")};
    const int id = parsed.number(QStringLiteral("--id"), std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    const int listNumber = parsed.has(QStringLiteral("--list")) ? parsed.number(QStringLiteral("--list"), 1, 1 << 30) : 1;

    TzkReelkeep doc;
    if (!LoadCatalogue(doc, parsed.positional()[0]))
        return ReportUnknownSignature(parsed.positional()[0]);
    if (listNumber > doc.ListCount())
        throw ReelkeepError(QStringLiteral("The catalogue has %1 list(s); there is no list %2.").arg(doc.ListCount()).arg(listNumber));
    const TzkRow* record = doc.List(listNumber - 1)->FindRowByID(id);
    if (!record)
        throw ReelkeepError(QStringLiteral("List %1 has no record with the ID %2.").arg(listNumber).arg(id));

    zkOptions options;
    options.LoadSettings(context.home.filePath(QStringLiteral("setup.ini")));
    CoverPrintSettings settings = CoverSettingsFrom(options);
    if (parsed.has(QStringLiteral("--cover")))
        settings.CoverFile = parsed.value(QStringLiteral("--cover"));

    QPrinter printer(QPrinter::HighResolution);
    PreparePdfPrinter(printer, parsed.value(QStringLiteral("--pdf")));
    QPrinterTarget target(printer);
    TzkPrinter out(target);
    PrintCovers(out, *record, settings);
    return ExitDone;
}

} // namespace reelkeep::cli
