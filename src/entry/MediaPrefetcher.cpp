#include "MediaPrefetcher.h"

#include <QDir>

namespace reelkeep {

MediaPrefetcher::MediaPrefetcher(const QStringList& paths, int threads, int lookahead, std::chrono::milliseconds deadline)
    : m_lookahead(std::max(1, lookahead))
    , m_deadline(deadline)
{
    for (const QString& path : paths) {
        const QString clean = QDir::cleanPath(path);
        if (!m_index.contains(clean)) {
            m_index.insert(clean, m_paths.size());
            m_paths.append(path);
        }
    }
    m_slots.resize(size_t(m_paths.size()));
    try {
        for (int t = 0; t < std::max(1, threads); ++t)
            m_workers.emplace_back([this] { work(); });
    } catch (const std::exception&) {
        // Fewer workers than asked for; with none, Take hands every file back to the caller.
    }
}

MediaPrefetcher::~MediaPrefetcher()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_stop.Raise();
    m_changed.notify_all();
    for (std::thread& worker : m_workers)
        worker.join();
}

void MediaPrefetcher::work()
{
    MediaExaminer examiner(m_deadline);
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_stopping || (m_next < m_paths.size() && m_next <= m_wanted + m_lookahead); });
        if (m_stopping)
            return;
        const qsizetype i = m_next++;
        const QString path = m_paths[i];
        lock.unlock();
        std::shared_ptr<const TzkVideoInfo> info;
        std::exception_ptr error;
        try {
            info = examiner.Examine(path, {}, &m_stop);
        } catch (...) {
            error = std::current_exception();
        }
        lock.lock();
        if (!info && !error) // stopped
            return;
        Slot& slot = m_slots[size_t(i)];
        slot.ready = true;
        slot.info = std::move(info);
        slot.error = error;
        m_changed.notify_all();
    }
}

std::optional<std::shared_ptr<const TzkVideoInfo>> MediaPrefetcher::Take(const QString& path, const std::function<bool()>& cancelled)
{
    const auto found = m_index.constFind(QDir::cleanPath(path));
    if (m_workers.empty() || found == m_index.constEnd())
        return std::nullopt;
    const qsizetype i = *found;
    std::unique_lock lock(m_mutex);
    Slot& slot = m_slots[size_t(i)];
    if (slot.taken)
        return std::nullopt;
    if (i > m_wanted) {
        m_wanted = i;
        m_changed.notify_all();
    }
    // Asked on time even while other files finishing wake this wait.
    auto nextCheck = std::chrono::steady_clock::now() + kCancelCheck;
    while (!slot.ready) {
        if (!cancelled) {
            m_changed.wait(lock);
            continue;
        }
        m_changed.wait_until(lock, nextCheck);
        if (!slot.ready && std::chrono::steady_clock::now() >= nextCheck) {
            lock.unlock();
            const bool stop = cancelled();
            lock.lock();
            if (stop && !slot.ready)
                return std::shared_ptr<const TzkVideoInfo>();
            nextCheck = std::chrono::steady_clock::now() + kCancelCheck;
        }
    }
    slot.taken = true;
    const std::shared_ptr<const TzkVideoInfo> info = std::move(slot.info);
    const std::exception_ptr error = std::move(slot.error);
    slot.info.reset();
    slot.error = nullptr;
    lock.unlock();
    if (error)
        std::rethrow_exception(error);
    return info;
}

} // namespace reelkeep
