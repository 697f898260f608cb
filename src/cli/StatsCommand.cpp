// `stats FILE [--list N] [--select ID,ID...]`: the lines of the statistics window
// for a list of a catalogue and the records chosen by ID.
#include "CatalogueFiles.h"
#include "CommandArgs.h"
#include "Commands.h"
#include "EntryCommandSupport.h"
#include "ReelkeepError.h"
#include "Statistics.h"

#include <climits>

namespace reelkeep::cli {

int RunStats(CliContext& context, const QStringList& args)
{
    const CommandArgs parsed(args, {}, {QStringLiteral("--list"), QStringLiteral("--select")});
    parsed.expectPositional(1);
    const QString catalogue = parsed.positional()[0];
    const std::unique_ptr<zkOptions> options = LoadProgramOptions(context);
    TzkReelkeep doc(options->ColumnTemplate(), options->Formats);
    if (!LoadCatalogue(doc, catalogue))
        return ReportUnknownSignature(catalogue);
    if (doc.ListCount() == 0)
        throw ReelkeepError(QStringLiteral("\"%1\" holds no list.").arg(catalogue));
    const int listNumber = parsed.has(QStringLiteral("--list")) ? parsed.number(QStringLiteral("--list"), 1, doc.ListCount()) : 1;
    const TZKList& list = *doc.List(listNumber - 1);

    std::vector<const TzkRow*> selection;
    for (const QString& selected : parsed.values(QStringLiteral("--select"))) {
        for (const QString& id : selected.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            const int number = ParseNumberArgument(id.trimmed(), QStringLiteral("record ID"), 0, INT_MAX);
            const TzkRow* row = list.FindRowByID(number);
            if (!row)
                throw ReelkeepError(QStringLiteral("List %1 of \"%2\" has no record with ID %3.").arg(listNumber).arg(catalogue).arg(number));
            selection.push_back(row);
        }
    }
    WriteOut(StatisticsLines(list, selection, options->LanguageTable).join(QLatin1Char('\n')) + QLatin1Char('\n'));
    return ExitDone;
}

} // namespace reelkeep::cli
