// `export CATALOGUE OUT --plugin N`: a catalogue handed as its text form to an
// export plug-in of the program folder.
#include "CatalogueFiles.h"
#include "CommandArgs.h"
#include "Commands.h"
#include "ReelkeepError.h"
#include "TzkPluginsPack.h"

#include <QFileInfo>

namespace reelkeep::cli {

int RunExport(CliContext& context, const QStringList& args)
{
    const CommandArgs parsed(args, {QStringLiteral("--as-kdx")}, {QStringLiteral("--plugin")});
    parsed.expectPositional(2);
    const int n = parsed.number(QStringLiteral("--plugin"), 1, 1 << 20);
    const QString catalogue = parsed.positional()[0], out = parsed.positional()[1];

    const TzkPluginsPack pack(context.home.path());
    if (pack.GetPlugin(kExportPlugin, n).LibraryPath.isEmpty())
        throw ReelkeepError(QStringLiteral("There is no export plug-in number %1 in %2").arg(n).arg(pack.Folder()));
    TzkReelkeep doc;
    if (!LoadCatalogue(doc, catalogue, parsed.has(QStringLiteral("--as-kdx"))))
        return ReportUnknownSignature(catalogue);
    const bool existed = QFileInfo::exists(out);
    if (!pack.Export(n, out, doc.SaveToString()))
        throw ReelkeepError(QStringLiteral("The plug-in %1 cannot be called").arg(pack.GetPlugin(kExportPlugin, n).LibraryPath));
    if (!existed && !QFileInfo::exists(out))
        throw ReelkeepError(QStringLiteral("The plug-in wrote nothing to %1").arg(out));
    return ExitDone;
}

} // namespace reelkeep::cli
