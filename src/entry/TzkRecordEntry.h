// Builds records from video files: one chosen batch, a walked folder tree, the
// current record filled from one file, or one more file appended to it.
#pragma once

#include "FileNameSeparators.h"
#include "FolderWalk.h"
#include "LocaleFormats.h"
#include "MediaExaminer.h"
#include "PatternFilling.h"
#include "RecordEntryTarget.h"
#include "TzkVideoInfo.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

namespace reelkeep {

class FrameGrabber;
class MediaPrefetcher;

struct WalkOptions {
    // Worker threads examining files ahead of entry; 0 means one per core, 1 none.
    int Threads = 0;
    // Called after each file with the files done and the files found.
    std::function<void(int done, int found)> Progress;
    // Asked before each folder entry, between files and every kCancelCheck
    // while a file is examined (a window lets pending events run here); true
    // stops the walk, keeping the records entered so far.
    std::function<bool()> Cancelled;
};

struct WalkResult {
    int FilesFound = 0;
    int FilesDone = 0;
    int RecordsAdded = 0;
    bool Cancelled = false;
    // What could not be entered (unreadable files, broken links, folders that
    // cannot be opened), in the order met; the rest of the walk went on.
    std::vector<SkippedPath> Skipped;
};

class TzkRecordEntry {
public:
    TzkRecordEntry(RecordEntryTarget& target, FileNameSeparators separators, LocaleFormats formats);
    ~TzkRecordEntry();

    // One new record per file; later parts of a multi-part film in the batch are
    // taken out of it and counted into the record of the first one entered. Progress
    // and Cancelled as in a walk (the files are examined one by one); the records added.
    int ProcessFiles(QStringList files, const WalkOptions& options = {});
    // Walks a folder tree and enters its video files; a file or folder that cannot
    // be entered is skipped and listed in the result.
    WalkResult AddFolder(const QString& dir, const WalkOptions& options = {});
    // Enters files a walk found elsewhere (a rescan) as a walk enters them: one record
    // per film, a file that cannot be read skipped and listed in the result.
    WalkResult EnterFoundFiles(QStringList files, const WalkOptions& options = {});
    // Fills the current record from one file without adding a record.
    void FillCurrentRecord(const QString& file);
    // Adds one more file's size, count and length to the current record.
    void AppendFile(const QString& file);
    // How long the examination of one file may take before it is reported unreadable.
    void SetMediaDeadline(std::chrono::milliseconds deadline);
    // Told the path of every file counted with length 0 because its length could not
    // be read (no video stream, no play time); entry goes on.
    void SetLengthUnreadHook(std::function<void(const QString& file)> hook) { m_lengthUnread = std::move(hook); }
    // Whether each record added gets a frame of its film as an image; a file without a
    // frame that can be taken simply gets none.
    void SetFrameForNewRecords(bool add) { m_frameForNewRecords = add; }

private:
    // Nothing when `cancelled` said so while the file was examined.
    std::optional<FileValues> examineFile(const QString& file, QStringList* batch, const std::function<bool()>& cancelled = {});
    void storeValues(TzkRow& row, const FileValues& values);
    // Null when `cancelled` said so while waiting.
    std::shared_ptr<const TzkVideoInfo> media(const QString& path, const std::function<bool()>& cancelled = {});
    void addFrame(TzkRow& row, const QString& file, const std::function<bool()>& cancelled);
    void processBatch(QStringList batch, const WalkOptions& options, bool skipUnreadable, WalkResult& result);

    RecordEntryTarget& m_target;
    FileNameSeparators m_separators;
    LocaleFormats m_formats;
    MediaPrefetcher* m_prefetcher = nullptr;
    // Examines what the prefetcher does not hold, keeping its helper between files.
    std::unique_ptr<MediaExaminer> m_examiner;
    std::chrono::milliseconds m_mediaDeadline = kMediaDeadline;
    std::function<void(const QString&)> m_lengthUnread;
    bool m_frameForNewRecords = false;
    std::unique_ptr<FrameGrabber> m_frames; // made at the first frame
};

} // namespace reelkeep
