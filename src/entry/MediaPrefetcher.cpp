#include "MediaPrefetcher.h"

#include <QDir>

namespace reelkeep {

MediaPrefetcher::MediaPrefetcher(const QStringList& paths, int threads, int lookahead)
    : m_paths(paths)
    , m_slots(static_cast<size_t>(paths.size()))
    , m_lookahead(std::max(1, lookahead))
{
    for (qsizetype i = 0; i < paths.size(); ++i)
        m_index.insert(QDir::cleanPath(paths[i]), i);
    for (int t = 0; t < std::max(1, threads); ++t)
        m_workers.emplace_back([this] { work(); });
}

MediaPrefetcher::~MediaPrefetcher()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_changed.notify_all();
    for (std::thread& worker : m_workers)
        worker.join();
}

void MediaPrefetcher::work()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_stopping || (m_next < m_paths.size() && m_next <= m_wanted + m_lookahead); });
        if (m_stopping)
            return;
        const qsizetype i = m_next++;
        const QString path = m_paths[i];
        lock.unlock();
        auto info = std::make_shared<TzkVideoInfo>();
        std::exception_ptr error;
        try {
            info->Load(path);
        } catch (...) {
            error = std::current_exception();
        }
        lock.lock();
        Slot& slot = m_slots[static_cast<size_t>(i)];
        slot.ready = true;
        if (error)
            slot.error = error;
        else
            slot.info = std::move(info);
        m_changed.notify_all();
    }
}

std::shared_ptr<const TzkVideoInfo> MediaPrefetcher::Take(const QString& path)
{
    const auto found = m_index.constFind(QDir::cleanPath(path));
    if (found == m_index.constEnd())
        return nullptr;
    const qsizetype i = *found;
    std::unique_lock lock(m_mutex);
    if (i > m_wanted) {
        m_wanted = i;
        m_changed.notify_all();
    }
    Slot& slot = m_slots[static_cast<size_t>(i)];
    m_changed.wait(lock, [&slot] { return slot.ready; });
    if (slot.error)
        std::rethrow_exception(slot.error);
    return slot.info;
}

} // namespace reelkeep
