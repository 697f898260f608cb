// `delete FILE --list N --id ID [--id ID ...] [--out OUT] [--allow-loss]`: deletes records, with
// their nested records and the images of all of them, as the Delete key does, and saves.
#include "CatalogueFiles.h"
#include "CommandArgs.h"
#include "Commands.h"
#include "WriteGuard.h"
#include "ReelkeepError.h"

#include <limits>

namespace reelkeep::cli {

int RunDelete(CliContext& context, const QStringList& args)
{
    const CommandArgs parsed(args, {QStringLiteral("--allow-loss")}, {QStringLiteral("--list"), QStringLiteral("--id"), QStringLiteral("--out")});
    parsed.expectPositional(1);
    const int listNumber = parsed.number(QStringLiteral("--list"), 1, 1 << 30);
    std::vector<std::int32_t> ids;
    for (const QString& id : parsed.values(QStringLiteral("--id")))
        ids.push_back(ParseNumberArgument(id, QStringLiteral("--id"), 0, std::numeric_limits<std::int32_t>::max()));
    if (ids.empty())
        throw UsageError{QStringLiteral("--id is required")};

    const QString fileName = parsed.positional()[0];
    const QString target = parsed.has(QStringLiteral("--out")) ? parsed.value(QStringLiteral("--out")) : fileName;
    const WriteGuard guard(context, target);
    TzkReelkeep doc = NewDocument(context);
    if (!LoadCatalogue(doc, fileName))
        return ReportUnknownSignature(fileName);
    TZKList& list = NumberedList(doc, listNumber);
    // Every record is found before any goes, so that an unknown ID changes nothing.
    for (const std::int32_t id : ids)
        if (!list.FindRowByID(id))
            throw ReelkeepError(QStringLiteral("List %1 has no record %2; nothing was deleted.").arg(listNumber).arg(id));
    // A record nested in another one named is deleted with it.
    for (const std::int32_t id : ids)
        if (TzkRow* row = list.FindRowByID(id))
            list.DeleteRow(row);
    guard.keepVersion();
    SaveCatalogueBack(doc, target, parsed.has(QStringLiteral("--allow-loss")));
    return ExitDone;
}

} // namespace reelkeep::cli
