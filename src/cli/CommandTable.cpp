#include "CliCommand.h"
#include "Commands.h"

namespace reelkeep::cli {

std::span<const CliCommand> Commands()
{
    static const CliCommand table[] = {
        {"mask", "MASK TEXT...", "print 1 for each TEXT the MASK matches, else 0", RunMask},
    };
    return table;
}

} // namespace reelkeep::cli
