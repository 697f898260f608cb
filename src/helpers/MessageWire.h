// A Message carried from a helper executable to the program as its key and
// arguments, so the program shows it in the interface's language. The reader
// takes only keys the program knows and a bounded nesting: a helper that went
// wrong cannot make the program show a key name or recurse without end.
#pragma once

#include "Message.h"
#include "Wire.h"

namespace reelkeep {

void PutMessage(WireWriter& out, const Message& message);
// Throws HelperFailure(Garbled) on a message that is not one the program could have sent.
Message TakeMessage(WireReader& in);

} // namespace reelkeep
