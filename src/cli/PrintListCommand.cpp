// `print-list FILE --pdf OUT [--list N]`: prints a list as the grid shows it after
// loading (sorted by column 1) into a PDF file, with the "print" settings of setup.ini.
#include "CatalogueFiles.h"
#include "CommandArgs.h"
#include "Commands.h"
#include "IniFile.h"
#include "ListPrinting.h"
#include "LocaleFormats.h"
#include "ReelkeepError.h"
#include "TzkPrinter.h"

#include <QPrinter>

namespace reelkeep::cli {

int RunPrintList(CliContext& context, const QStringList& args)
{
    const CommandArgs parsed(args, {}, {QStringLiteral("--pdf"), QStringLiteral("--list")});
    parsed.expectPositional(1);
    if (!parsed.has(QStringLiteral("--pdf")))
        throw UsageError{QStringLiteral("--pdf is required")};
    const int listNumber = parsed.has(QStringLiteral("--list")) ? parsed.number(QStringLiteral("--list"), 1, 1 << 30) : 1;

    TzkReelkeep doc;
    if (!LoadCatalogue(doc, parsed.positional()[0]))
        return ReportUnknownSignature(parsed.positional()[0]);
    if (listNumber > doc.ListCount())
        throw ReelkeepError(QStringLiteral("The catalogue has %1 list(s); there is no list %2.").arg(doc.ListCount()).arg(listNumber));
    TZKList& list = *doc.List(listNumber - 1);
    list.Sort(1, list.Column(1).Type);

    const ListPrintSettings settings = ReadListPrintSettings(IniFile(context.home.filePath(QStringLiteral("setup.ini"))),
                                                             LocaleFormats::system().decimalSeparator);
    QPrinter printer(QPrinter::HighResolution);
    PreparePdfPrinter(printer, parsed.value(QStringLiteral("--pdf")));
    QPrinterTarget target(printer);
    TzkPrinter out(target);
    PrintList(out, list, GridRows(list), settings);
    return ExitDone;
}

} // namespace reelkeep::cli
