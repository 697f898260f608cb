// `print-list FILE --pdf OUT [--list N] [--landscape]`: prints a list as the grid shows it after
// loading (sorted by column 1) into a PDF file, with the "print" settings of setup.ini.
#include "CatalogueFiles.h"
#include "CommandArgs.h"
#include "Commands.h"
#include "ListPrinting.h"
#include "LocaleFormats.h"
#include "PrintCommandSupport.h"

namespace reelkeep::cli {

int RunPrintList(CliContext& context, const QStringList& args)
{
    const CommandArgs parsed(args, {QStringLiteral("--landscape")}, {QStringLiteral("--pdf"), QStringLiteral("--list")});
    parsed.expectPositional(1);
    if (!parsed.has(QStringLiteral("--pdf")))
        throw UsageError{QStringLiteral("--pdf is required")};
    const int listNumber = ListNumberArgument(parsed);

    TzkReelkeep doc;
    TZKList* loaded = LoadListToPrint(doc, parsed.positional()[0], listNumber);
    if (!loaded)
        return ReportUnknownSignature(parsed.positional()[0]);
    TZKList& list = *loaded;
    list.Sort(1, list.Column(1).Type);

    std::vector<Message> warnings;
    const ListPrintSettings settings = ReadListPrintSettings(context.home().filePath(QStringLiteral("setup.ini")),
                                                             LocaleFormats::system().decimalSeparator, warnings);
    for (const Message& warning : warnings)
        WriteErr(QStringLiteral("Warning: ") + warning.english() + QLatin1Char('\n'));
    PrintToPdf(parsed.value(QStringLiteral("--pdf")), OrientationArgument(parsed), [&](TzkPrinter& out) { PrintList(out, list, GridRows(list), settings); });
    return ExitDone;
}

} // namespace reelkeep::cli
