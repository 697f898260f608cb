// Finding the video files of a folder tree, in the order they are entered.
#pragma once

#include "Message.h"

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

// A file or folder a walk could not enter, and why, for the list shown at its end.
struct SkippedPath {
    QString Path;
    Message Reason;
};

struct VideoBatches {
    // One per folder, each folder's files in name order (case ignored), and a
    // subfolder's batches before those of the folder holding it.
    std::vector<QStringList> Batches;
    std::vector<SkippedPath> Skipped;
};

// Walks `dir`, entering every folder once: folders reached again through links,
// and folders that hold `dir` itself, are not walked. Stops early, returning what
// it found, when `cancelled` says so before an entry. Time and open descriptors do
// not grow with the depth of the tree beyond the one visit of each folder.
VideoBatches CollectVideoBatches(const QString& dir, const std::function<bool()>& cancelled = {});

} // namespace reelkeep
