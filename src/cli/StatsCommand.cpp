// `stats FILE [--list N] [--select ID,ID...] [--charts]`: the lines of the statistics
// window for a list of a catalogue and the records chosen by ID, or with --charts the
// data of its charts as JSON.
#include "CatalogueFiles.h"
#include "ChartData.h"
#include "CommandArgs.h"
#include "Commands.h"
#include "EntryCommandSupport.h"
#include "ReelkeepError.h"
#include "Statistics.h"

#include <QJsonArray>
#include <climits>

namespace reelkeep::cli {
namespace {

QJsonArray barsJson(const std::vector<ChartBar>& bars)
{
    QJsonArray array;
    for (const ChartBar& bar : bars)
        array.append(QJsonObject{{QStringLiteral("label"), bar.Label}, {QStringLiteral("value"), qint64(bar.Value)}});
    return array;
}

QJsonObject chartsJson(const CollectionCharts& charts)
{
    return {{QStringLiteral("byDecade"), charts.ByDecade},
            {QStringLiteral("filmsPerYear"), barsJson(charts.FilmsPerYear)},
            {QStringLiteral("sizePerYear"), barsJson(charts.SizePerYear)},
            {QStringLiteral("filmsPerGenre"), barsJson(charts.FilmsPerGenre)},
            {QStringLiteral("lengthBands"), barsJson(charts.LengthBands)}};
}

} // namespace

int RunStats(CliContext& context, const QStringList& args)
{
    const CommandArgs parsed(args, {QStringLiteral("--charts")}, {QStringLiteral("--list"), QStringLiteral("--select")});
    parsed.expectPositional(1);
    const QString catalogue = parsed.positional()[0];
    const std::unique_ptr<zkOptions> options = LoadProgramOptions(context);
    TzkReelkeep doc(options->ColumnTemplate(), options->Formats);
    if (!LoadCatalogue(doc, catalogue))
        return ReportUnknownSignature(catalogue);
    const int listNumber = ChosenListNumber(doc, catalogue, parsed);
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
    if (parsed.has(QStringLiteral("--charts"))) {
        const QString other = options->LanguageTable.GetValue(QStringLiteral("Charts"), QStringLiteral("Other"));
        WriteJson({{QStringLiteral("sheet"), chartsJson(ComputeCharts(list, ConsideredRows(list, selection, false), other))},
                   {QStringLiteral("selection"), chartsJson(ComputeCharts(list, selection, other))}});
        return ExitDone;
    }
    WriteOut(StatisticsLines(list, selection, options->LanguageTable).join(QLatin1Char('\n')) + QLatin1Char('\n'));
    return ExitDone;
}

} // namespace reelkeep::cli
