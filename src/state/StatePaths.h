// Where the program keeps state about the person's work: $XDG_STATE_HOME/reelkeep
// (default ~/.local/state/reelkeep) and the runtime folder for locks.
#pragma once

#include <QString>

namespace reelkeep {

// $XDG_STATE_HOME/reelkeep/sub (created on demand by the writers, not here).
QString StateFolder(const QString& sub);
// $XDG_RUNTIME_DIR/reelkeep, or the temporary folder when there is no runtime folder.
QString RuntimeFolder();
// The absolute path a catalogue is known by: links resolved when the file exists.
QString CataloguePath(const QString& fileName);
// A short name, safe in a file name, that stands for one catalogue path.
QString CatalogueKey(const QString& fileName);

} // namespace reelkeep
