// What the commands of reelkeep-cli that use the settings share: the settings
// of the program folder and JSON output.
#pragma once

#include "CliCommand.h"
#include "zkOptions.h"

#include <QJsonObject>
#include <memory>

namespace reelkeep::cli {

// The settings (and through them the language file) of the program folder, as the
// program loads them at start; what could not be used is said on stderr.
std::unique_ptr<zkOptions> LoadProgramOptions(const CliContext& context);

// Indented UTF-8 JSON ending in a line break, on stdout.
void WriteJson(const QJsonObject& object);

} // namespace reelkeep::cli
