// The write-only plain-text listing (".txt"): for every top-level record one
// "column name: text" line per filled cell, then an empty line.
#pragma once

#include "TZKLists.h"

#include <QString>

namespace reelkeep {

// 8-bit lines in the default code page ended by CR LF; nested rows and list names
// are not written. Written atomically; throws FileError naming the file, and with
// keepEveryCharacter CharactersWouldBeLost when the code page lacks some.
void SaveToText(const QString& fileName, const TZKLists& lists, bool keepEveryCharacter = false);

} // namespace reelkeep
