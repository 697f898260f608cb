// `export CATALOGUE OUT --plugin N [--as-kdx] [--allow-loss]`: a catalogue handed as
// its text form to an export plug-in of the program folder.
#include "CatalogueFiles.h"
#include "CommandArgs.h"
#include "Commands.h"
#include "LossReport.h"
#include "ReelkeepError.h"
#include "TzkPluginsPack.h"

#include <algorithm>

namespace reelkeep::cli {
namespace {

// The text form holds top-level records only, by design of the export; what is
// checked is text a plug-in would get wrong: characters the code page lacks (allowed
// on request) and NUL, which would cut the text short.
void checkText(const TzkReelkeep& doc, const QString& out, bool allowLoss)
{
    LossReport loss = FindLoss(doc.Lists(), CatalogueForm::TextForm);
    std::erase_if(loss.Losses, [](const Loss& item) {
        return item.Kind != LossKind::Characters && item.Kind != LossKind::BadCharacters;
    });
    if (loss.PreventsSaving())
        throw ReelkeepError(loss.Message(out) + QStringLiteral("\nNothing was exported."));
    if (!loss.IsEmpty() && !allowLoss)
        throw ReelkeepError(loss.Message(out) + QStringLiteral("\nNothing was exported; --allow-loss exports anyway."));
}

} // namespace

int RunExport(CliContext& context, const QStringList& args)
{
    const CommandArgs parsed(args, {QStringLiteral("--as-kdx"), QStringLiteral("--allow-loss")}, {QStringLiteral("--plugin")});
    parsed.expectPositional(2);
    const int n = parsed.number(QStringLiteral("--plugin"), 1, 1 << 20);
    const QString catalogue = parsed.positional()[0], out = parsed.positional()[1];

    const TzkPluginsPack pack(context.home().path());
    const QString plugin = pack.GetPlugin(kExportPlugin, n).LibraryPath;
    if (plugin.isEmpty())
        throw ReelkeepError(QStringLiteral("There is no export plug-in number %1 in %2").arg(n).arg(pack.Folder()));
    TzkReelkeep doc;
    if (!LoadCatalogue(doc, catalogue, parsed.has(QStringLiteral("--as-kdx"))))
        return ReportUnknownSignature(catalogue);
    checkText(doc, out, parsed.has(QStringLiteral("--allow-loss")));
    switch (pack.ExportToFile(n, out, doc.SaveToString())) {
    case ExportOutcome::CannotCall: throw ReelkeepError(QStringLiteral("The plug-in %1 cannot be called").arg(plugin));
    case ExportOutcome::WroteNothing:
        throw ReelkeepError(QStringLiteral("The plug-in %1 wrote nothing to \"%2\"; nothing was exported.").arg(plugin, out));
    case ExportOutcome::Stopped: // only with a stop signal, which the tool never raises
    case ExportOutcome::Written: break;
    }
    return ExitDone;
}

} // namespace reelkeep::cli
