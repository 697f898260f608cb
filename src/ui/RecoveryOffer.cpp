#include "RecoveryOffer.h"

#include "Prompts.h"
#include "TfmVersions.h"
#include "ShellState.h"

#include <QDir>

namespace reelkeep {

void OfferRecovery(ShellState& shell, Prompts& prompts, const std::function<void(const RecoveryEntry&)>& restore)
{
    const auto text = [&shell](const char* key) { return shell.text("Safety", key); };
    for (const RecoveryEntry& entry : RecoveryJournal::Orphans()) {
        const QString catalogue = QDir::toNativeSeparators(entry.catalogue);
        const PromptButton answer = prompts.ask(
            {PromptIcon::Question, text("RecoveryCaption"),
             text("Recovery").arg(catalogue, WhenText(shell.options().Formats, entry.written)),
             {PromptButton::Restore, PromptButton::Discard, PromptButton::Later}});
        if (answer == PromptButton::Restore) {
            restore(entry);
        } else if (answer == PromptButton::Discard
                   && prompts.ask({PromptIcon::Warning, text("RecoveryCaption"), text("DiscardConfirm").arg(catalogue),
                                   {PromptButton::Discard, PromptButton::No}})
                          == PromptButton::Discard) {
            RecoveryJournal(entry.catalogue, entry.form, entry.id).remove();
        }
    }
}

} // namespace reelkeep
