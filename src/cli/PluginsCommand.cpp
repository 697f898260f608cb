// `plugins`: the plug-ins found in the program folder.
#include "Commands.h"
#include "TzkPluginsPack.h"

namespace reelkeep::cli {

int RunPlugins(CliContext& context, const QStringList& args)
{
    if (!args.isEmpty())
        throw UsageError{QStringLiteral("plugins takes no arguments")};
    const TzkPluginsPack pack(context.home.path());
    QString out;
    for (const PluginInfo& plugin : pack.Plugins)
        out += QStringLiteral("%1\t%2\t%3\t%4\n").arg(plugin.LibraryPath, plugin.DisplayName, plugin.FileFilter).arg(plugin.Mode);
    WriteOut(out);
    return ExitDone;
}

} // namespace reelkeep::cli
