// How interface classes get their texts: by section and key from the language table,
// without depending on the settings object that owns it.
#pragma once

#include "Message.h"

#include <QString>
#include <functional>

namespace reelkeep {

using TextLookup = std::function<QString(const QString& section, const QString& key)>;

// The texts of the section "Messages" through a text lookup; a key the lookup does not
// know gives an empty text, so the message shows its built-in English.
MessageLookup MessagesOf(const TextLookup& text);
// The message in the lookup's language.
QString Rendered(const Message& message, const TextLookup& text);

} // namespace reelkeep
