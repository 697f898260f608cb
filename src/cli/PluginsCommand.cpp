// `plugins`: the plug-ins found in the program folder; the files skipped, with
// the reason, on stderr.
#include "Commands.h"
#include "TzkPluginsPack.h"

namespace reelkeep::cli {

int RunPlugins(CliContext& context, const QStringList& args)
{
    if (!args.isEmpty())
        throw UsageError{QStringLiteral("plugins takes no arguments")};
    const TzkPluginsPack pack(context.home().path());
    QString out;
    for (const PluginInfo& plugin : pack.Plugins)
        out += QStringLiteral("%1\t%2\t%3\t%4\n").arg(plugin.LibraryPath, plugin.DisplayName, plugin.FileFilter).arg(plugin.Mode);
    WriteOut(out);
    for (const SkippedPlugin& skipped : pack.Skipped)
        WriteErr(QStringLiteral("Skipped %1: %2\n").arg(skipped.LibraryPath, skipped.Reason.english()));
    return ExitDone;
}

} // namespace reelkeep::cli
