// Examines a known sequence of files on a few worker threads, ahead of the
// thread that enters them in order, so that long folder walks use every core.
// Each worker has its own media helper (MediaExaminer).
#pragma once

#include "HelperProcess.h"
#include "MediaExaminer.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace reelkeep {

class MediaPrefetcher {
public:
    // Starts up to `threads` workers over the files in order (a repeated path is
    // examined once); they stay at most `lookahead` files ahead of the furthest
    // file asked for. Starts fewer when the system refuses more threads.
    MediaPrefetcher(const QStringList& paths, int threads, int lookahead, std::chrono::milliseconds deadline = kMediaDeadline);
    // Abandons the examinations in progress and stops the workers at once.
    ~MediaPrefetcher();
    MediaPrefetcher(const MediaPrefetcher&) = delete;
    MediaPrefetcher& operator=(const MediaPrefetcher&) = delete;

    // Waits until the file is examined and hands its media over, rethrowing the
    // error its reading raised; its slot is then released. A null pointer when
    // `cancelled` said so while waiting (asked every kCancelCheck). Nothing
    // when the path is not one of the files or was taken before, or when no
    // worker could be started: the caller examines it itself.
    std::optional<std::shared_ptr<const TzkVideoInfo>> Take(const QString& path, const std::function<bool()>& cancelled = {});

private:
    struct Slot {
        bool ready = false;
        bool taken = false;
        std::shared_ptr<const TzkVideoInfo> info;
        std::exception_ptr error;
    };
    void work();

    QStringList m_paths;
    QHash<QString, qsizetype> m_index;
    std::vector<Slot> m_slots;
    int m_lookahead;
    std::chrono::milliseconds m_deadline;
    StopSignal m_stop;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    qsizetype m_next = 0;
    qsizetype m_wanted = 0;
    bool m_stopping = false;
    std::vector<std::thread> m_workers;
};

} // namespace reelkeep
