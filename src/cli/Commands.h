// Entry points of the commands of reelkeep-cli, one function per command.
#pragma once

#include "CliCommand.h"

namespace reelkeep::cli {

int RunMask(CliContext& context, const QStringList& args);
int RunSettings(CliContext& context, const QStringList& args);
int RunLang(CliContext& context, const QStringList& args);
int RunPlugins(CliContext& context, const QStringList& args);

} // namespace reelkeep::cli
