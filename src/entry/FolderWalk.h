// Finding the video files of a folder tree, in the order they are entered.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace reelkeep {

// The filter of the video file dialogs; the folder walk tests extensions against it.
extern const char* const kVideoExtensionList;

// A file passes when its lower-case extension, with the dot, occurs anywhere in
// the extension list (".mp" passes; a name without extension does not).
bool IsVideoFileName(const QString& fileName);

// The batches of a walk of `dir`: one per folder, each folder's files in listing
// order, and a subfolder's batches before those of the folder holding it.
// Stops early, returning what it found, when `cancelled` says so before an entry.
std::vector<QStringList> CollectVideoBatches(const QString& dir, const std::function<bool()>& cancelled = {});

} // namespace reelkeep
