// Entry points of the commands of reelkeep-cli, one function per command.
#pragma once

#include "CliCommand.h"

namespace reelkeep::cli {

int RunMask(CliContext& context, const QStringList& args);
int RunSettings(CliContext& context, const QStringList& args);
int RunLang(CliContext& context, const QStringList& args);
int RunPlugins(CliContext& context, const QStringList& args);
int RunExport(CliContext& context, const QStringList& args);
int RunDump(CliContext& context, const QStringList& args);
int RunConvert(CliContext& context, const QStringList& args);
int RunText(CliContext& context, const QStringList& args);
int RunMerge(CliContext& context, const QStringList& args);
int RunSort(CliContext& context, const QStringList& args);
int RunDelete(CliContext& context, const QStringList& args);
int RunFilter(CliContext& context, const QStringList& args);
int RunParseName(CliContext& context, const QStringList& args);
int RunMedia(CliContext& context, const QStringList& args);
int RunFrame(CliContext& context, const QStringList& args);
int RunAdd(CliContext& context, const QStringList& args);
int RunStats(CliContext& context, const QStringList& args);
int RunPrintList(CliContext& context, const QStringList& args);
int RunPrintCover(CliContext& context, const QStringList& args);
int RunCover(CliContext& context, const QStringList& args);
int RunCoverSave(CliContext& context, const QStringList& args);
int RunVersions(CliContext& context, const QStringList& args);
int RunRestore(CliContext& context, const QStringList& args);
int RunDuplicates(CliContext& context, const QStringList& args);
int RunRescan(CliContext& context, const QStringList& args);

} // namespace reelkeep::cli
