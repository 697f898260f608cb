// At start: the recovery files of windows that were not closed cleanly, offered one
// by one — Restore, Discard (asked twice) or Later (kept for the next start).
// Nothing is ever restored without the person's word.
#pragma once

#include "RecoveryJournal.h"

#include <functional>

namespace reelkeep {

class Prompts;
class ShellState;

void OfferRecovery(ShellState& shell, Prompts& prompts, const std::function<void(const RecoveryEntry&)>& restore);

} // namespace reelkeep
