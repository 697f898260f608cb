// Entry points of the commands of reelkeep-cli, one function per command.
#pragma once

#include "CliCommand.h"

namespace reelkeep::cli {

int RunMask(CliContext& context, const QStringList& args);

} // namespace reelkeep::cli
