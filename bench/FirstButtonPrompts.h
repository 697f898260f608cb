// Prompts for the desktop benchmarks: every question answered with its first button, no
// file chosen, no dialog shown.
#pragma once

#include "Prompts.h"

namespace reelkeep::bench {

class FirstButtonPrompts : public Prompts {
public:
    PromptButton ask(const Prompt& prompt) override { return prompt.buttons.front(); }
    QString chooseFileToOpen(const QString&, const QStringList&) override { return {}; }
    SaveChoice chooseFileToSave(const QString&, const QStringList&) override { return {}; }
    QStringList chooseFilesToOpen(const QString&, const QStringList&) override { return {}; }
    QString chooseFolder(const QString&, const QString&) override { return {}; }
};

} // namespace reelkeep::bench
