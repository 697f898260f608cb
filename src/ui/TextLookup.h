// How interface classes get their texts: by section and key from the language table,
// without depending on the settings object that owns it.
#pragma once

#include <QString>
#include <functional>

namespace reelkeep {

using TextLookup = std::function<QString(const QString& section, const QString& key)>;

} // namespace reelkeep
