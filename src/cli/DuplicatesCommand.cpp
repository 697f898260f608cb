// `duplicates FILE... [--by title|original|media]`: the groups of records that are
// probably one film, across every sheet of the catalogues named, as JSON.
#include "CatalogueFiles.h"
#include "CommandArgs.h"
#include "Commands.h"
#include "DuplicateFinder.h"
#include "EntryCommandSupport.h"

#include <QJsonArray>
#include <deque>

namespace reelkeep::cli {

int RunDuplicates(CliContext& context, const QStringList& args)
{
    const CommandArgs parsed(args, {}, {QStringLiteral("--by")});
    if (parsed.positional().isEmpty())
        throw UsageError{QStringLiteral("duplicates needs at least one catalogue")};
    const QString by = parsed.has(QStringLiteral("--by")) ? parsed.value(QStringLiteral("--by")) : QStringLiteral("title");
    const std::optional<DuplicateRule> rule = DuplicateRuleNamed(by);
    if (!rule)
        throw UsageError{QStringLiteral("--by takes title, original or media, not \"%1\"").arg(by)};

    const std::unique_ptr<zkOptions> options = LoadProgramOptions(context);
    std::deque<TzkReelkeep> documents;
    std::vector<SheetToSearch> sheets;
    const QStringList files = parsed.positional();
    for (int c = 0; c < files.size(); ++c) {
        TzkReelkeep& doc = documents.emplace_back(options->ColumnTemplate(), options->Formats);
        if (!LoadCatalogue(doc, files[c]))
            return ReportUnknownSignature(files[c]);
        for (int s = 0; s < doc.ListCount(); ++s)
            sheets.push_back({c, s, doc.List(s)});
    }

    static const char* const fields[] = {"id", "title", "original", "year", "size", "length", "discs"};
    QJsonArray groups;
    for (const DuplicateGroup& group : FindDuplicates(sheets, *rule)) {
        QJsonArray records;
        for (const DuplicateRecord& record : group) {
            const TZKList& list = *documents[size_t(record.Catalogue)].List(record.Sheet);
            QJsonObject item{{QStringLiteral("catalogue"), files[record.Catalogue]},
                             {QStringLiteral("sheet"), record.Sheet + 1},
                             {QStringLiteral("sheetName"), list.Name}};
            const QStringList cells = DuplicateCells(list, *record.Row);
            item.insert(QStringLiteral("id"), record.Row->ID);
            for (int f = 1; f < cells.size(); ++f)
                item.insert(QString::fromLatin1(fields[f]), cells[f]);
            records.append(item);
        }
        groups.append(records);
    }
    WriteJson({{QStringLiteral("by"), by}, {QStringLiteral("groups"), groups}});
    for (TzkReelkeep& doc : documents)
        KeepUntilExit(std::move(doc));
    return ExitDone;
}

} // namespace reelkeep::cli
