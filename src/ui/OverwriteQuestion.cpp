#include "OverwriteQuestion.h"

#include "Prompts.h"
#include "ShellState.h"

#include <QFileInfo>

namespace reelkeep {

bool AskOverwrite(Prompts& prompts, const ShellState& shell, const QString& path)
{
    if (!QFileInfo::exists(path))
        return true;
    return prompts.ask({PromptIcon::Warning, shell.text("SysMessage", "FileExists"),
                        shell.text("SysMessage", "FileExistsRewrite"), {PromptButton::Ok, PromptButton::Cancel}})
        == PromptButton::Ok;
}

} // namespace reelkeep
