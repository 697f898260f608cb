#include "CliCommand.h"
#include "Commands.h"

namespace reelkeep::cli {

std::span<const CliCommand> Commands()
{
    static const CliCommand table[] = {
        {"mask", "MASK TEXT...", "print 1 for each TEXT the MASK matches, else 0", RunMask},
        {"settings", "", "load the settings of the program folder as the program does at start and print them as JSON", RunSettings},
        {"lang", "SECTION KEY", "print the interface text of SECTION and KEY in the configured language", RunLang},
        {"plugins", "", "list the plug-ins found: path, display name, file filter, mode (tab-separated)", RunPlugins},
    };
    return table;
}

} // namespace reelkeep::cli
