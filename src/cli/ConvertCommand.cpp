// `convert IN OUT [--as-kdx] [--kdx-version V] [--allow-loss]`: reads one catalogue
// form, writes another; refused when the other would lose something unless allowed.
#include "CatalogueFiles.h"
#include "CommandArgs.h"
#include "Commands.h"
#include "WriteGuard.h"

namespace reelkeep::cli {

int RunConvert(CliContext& context, const QStringList& args)
{
    const CommandArgs parsed(args, {QStringLiteral("--as-kdx"), QStringLiteral("--allow-loss")}, {QStringLiteral("--kdx-version")});
    parsed.expectPositional(2);
    const QString version = parsed.value(QStringLiteral("--kdx-version"));
    if (parsed.has(QStringLiteral("--kdx-version")) && !QStringList{QStringLiteral("1.3"), QStringLiteral("2.0"), QStringLiteral("2.1")}.contains(version))
        throw UsageError{QStringLiteral("--kdx-version is 1.3, 2.0 or 2.1")};
    const QString& out = parsed.positional()[1];
    const CatalogueForm form = FormOfOutput(out, version);
    const WriteGuard guard(context, out);
    TzkReelkeep doc = NewDocument(context);
    if (!LoadCatalogue(doc, parsed.positional()[0], parsed.has(QStringLiteral("--as-kdx"))))
        return ReportUnknownSignature(parsed.positional()[0]);
    guard.keepVersion();
    SaveCatalogue(doc, out, form, parsed.has(QStringLiteral("--allow-loss")));
    // The file is complete and on the disk by now.
    KeepUntilExit(std::move(doc));
    return ExitDone;
}

} // namespace reelkeep::cli
