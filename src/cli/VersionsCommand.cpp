// `versions FILE` lists the kept earlier versions of a catalogue; `restore FILE N OUT`
// writes version N's bytes to OUT.
#include "CatalogueFiles.h"
#include "CommandArgs.h"
#include "Commands.h"
#include "FileIO.h"
#include "KeptVersions.h"
#include "ReelkeepError.h"
#include "WriteGuard.h"

namespace reelkeep::cli {
namespace {

// The records of each list, "12+3"; "?" when the version cannot be read.
QString recordCounts(const CliContext& context, const QString& file)
{
    try {
        TzkReelkeep doc = NewDocument(context);
        if (!LoadCatalogue(doc, file))
            return QStringLiteral("?");
        return RecordCountsText(doc.Lists());
    } catch (const ReelkeepError&) {
        return QStringLiteral("?");
    }
}

} // namespace

int RunVersions(CliContext& context, const QStringList& args)
{
    const CommandArgs parsed(args, {}, {});
    parsed.expectPositional(1);
    for (const KeptVersion& version : KeptVersions().List(parsed.positional()[0]))
        WriteOut(QStringLiteral("%1\t%2\t%3\t%4\n")
                     .arg(version.number)
                     .arg(version.modified.toString(Qt::ISODate), QString::number(version.size),
                          recordCounts(context, version.file)));
    return ExitDone;
}

int RunRestore(CliContext& context, const QStringList& args)
{
    const CommandArgs parsed(args, {}, {});
    parsed.expectPositional(3);
    const QString& catalogue = parsed.positional()[0];
    const std::vector<KeptVersion> versions = KeptVersions().List(catalogue);
    const int number = ParseNumberArgument(parsed.positional()[1], QStringLiteral("the version number"), 1,
                                           std::max(1, static_cast<int>(versions.size())));
    if (versions.empty())
        throw ReelkeepError(QStringLiteral("No earlier version of \"%1\" is kept.").arg(catalogue));
    const QString& out = parsed.positional()[2];
    const QByteArray bytes = ReadWholeFile(versions[static_cast<size_t>(number - 1)].file);
    const WriteGuard guard(context, out);
    guard.keepVersion();
    WriteFileAtomically(out, bytes);
    WriteOut(QStringLiteral("version %1 of %2 written to %3\n").arg(number).arg(catalogue, out));
    return ExitDone;
}

} // namespace reelkeep::cli
