// Examines a known sequence of files on a few worker threads, ahead of the
// thread that enters them in order, so that long folder walks use every core.
#pragma once

#include "TzkVideoInfo.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace reelkeep {

class MediaPrefetcher {
public:
    // Starts `threads` workers over the files in order; they stay at most
    // `lookahead` files ahead of the furthest file asked for.
    MediaPrefetcher(const QStringList& paths, int threads, int lookahead);
    // Stops the workers after the files they are reading.
    ~MediaPrefetcher();
    MediaPrefetcher(const MediaPrefetcher&) = delete;
    MediaPrefetcher& operator=(const MediaPrefetcher&) = delete;

    // The media of one of the files, waiting until it is read; rethrows the
    // error its reading raised. Null when the path is not one of the files.
    std::shared_ptr<const TzkVideoInfo> Take(const QString& path);

private:
    struct Slot {
        bool ready = false;
        std::shared_ptr<const TzkVideoInfo> info;
        std::exception_ptr error;
    };
    void work();

    QStringList m_paths;
    QHash<QString, qsizetype> m_index;
    std::vector<Slot> m_slots;
    int m_lookahead;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    qsizetype m_next = 0;
    qsizetype m_wanted = 0;
    bool m_stopping = false;
    std::vector<std::thread> m_workers;
};

} // namespace reelkeep
