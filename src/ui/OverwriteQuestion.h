// The question before a file of the chosen name is replaced.
#pragma once

#include <QString>

namespace reelkeep {

class Prompts;
class ShellState;

// True when no file of that name exists or the person agreed to replace it.
bool AskOverwrite(Prompts& prompts, const ShellState& shell, const QString& path);

} // namespace reelkeep
