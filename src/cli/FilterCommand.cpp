// `filter FILE --list N --set C=MASK ...`: sets column filters of one list and shows
// which records they hide.
#include "CatalogueFiles.h"
#include "CatalogueJson.h"
#include "CommandArgs.h"
#include "Commands.h"
#include "ReelkeepError.h"

namespace reelkeep::cli {

int RunFilter(CliContext& context, const QStringList& args)
{
    const CommandArgs parsed(args, {}, {QStringLiteral("--list"), QStringLiteral("--set")});
    parsed.expectPositional(1);
    const int listNumber = parsed.number(QStringLiteral("--list"), 1, 1 << 30);
    std::vector<std::pair<int, QString>> filters;
    for (const QString& setting : parsed.values(QStringLiteral("--set"))) {
        const qsizetype equals = setting.indexOf(QLatin1Char('='));
        if (equals < 0)
            throw UsageError{QStringLiteral("--set wants COLUMN=MASK, not \"%1\"").arg(setting)};
        filters.emplace_back(ParseNumberArgument(setting.left(equals), QStringLiteral("--set"), 0, kStoredColumnCount - 1),
                             setting.mid(equals + 1));
    }
    if (filters.empty())
        throw UsageError{QStringLiteral("--set is required")};

    TzkReelkeep doc = NewDocument(context);
    if (!LoadCatalogue(doc, parsed.positional()[0]))
        return ReportUnknownSignature(parsed.positional()[0]);
    TZKList& list = NumberedList(doc, listNumber);
    for (const auto& [column, mask] : filters)
        list.SetColumnFilter(column, mask);
    WriteOut(CatalogueJsonText(doc.Lists()));
    return ExitDone;
}

} // namespace reelkeep::cli
