// The system's reason for a failed call, as a sentence of its own ("No such file
// or directory"): the common reasons are keys of the language table, the rest
// stay in the words Qt gives them.
#pragma once

#include "Message.h"

namespace reelkeep {

Message SystemReason(int error);

} // namespace reelkeep
