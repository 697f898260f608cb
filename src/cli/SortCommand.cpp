// `sort FILE --list N --column C [--column C ...] [--out OUT] [--allow-loss]`: sorts one list by
// each column in turn, as clicks on the column headers do.
#include "CatalogueFiles.h"
#include "CatalogueJson.h"
#include "CommandArgs.h"
#include "Commands.h"
#include "WriteGuard.h"
#include "ReelkeepError.h"

#include <optional>

namespace reelkeep::cli {

int RunSort(CliContext& context, const QStringList& args)
{
    const CommandArgs parsed(args, {QStringLiteral("--allow-loss")}, {QStringLiteral("--list"), QStringLiteral("--column"), QStringLiteral("--out")});
    parsed.expectPositional(1);
    const int listNumber = parsed.number(QStringLiteral("--list"), 1, 1 << 30);
    std::vector<int> columns;
    for (const QString& column : parsed.values(QStringLiteral("--column")))
        columns.push_back(ParseNumberArgument(column, QStringLiteral("--column"), 0, kStoredColumnCount - 1));
    if (columns.empty())
        throw UsageError{QStringLiteral("--column is required")};

    std::optional<WriteGuard> guard;
    if (parsed.has(QStringLiteral("--out")))
        guard.emplace(context, parsed.value(QStringLiteral("--out")));
    TzkReelkeep doc = NewDocument(context);
    if (!LoadCatalogue(doc, parsed.positional()[0]))
        return ReportUnknownSignature(parsed.positional()[0]);
    TZKList& list = NumberedList(doc, listNumber);
    for (const int column : columns)
        list.Sort(column, list.Column(column).Type);
    if (guard) {
        guard->keepVersion();
        SaveCatalogueBack(doc, parsed.value(QStringLiteral("--out")), parsed.has(QStringLiteral("--allow-loss")));
    } else {
        WriteOut(CatalogueJsonText(doc.Lists()));
    }
    return ExitDone;
}

} // namespace reelkeep::cli
