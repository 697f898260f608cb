#include "PluginProbeJob.h"

#include "LongWorkPool.h"

#include <QtConcurrent/QtConcurrentRun>

namespace reelkeep {

PluginProbeJob::PluginProbeJob(QObject* parent) : QObject(parent)
{
    connect(&m_watcher, &QFutureWatcherBase::finished, this, [this] {
        if (m_watcher.future().resultCount() > 0)
            emit probed(m_watcher.result());
    });
}

void PluginProbeJob::start(const QString& programFolder)
{
    // Setting a new future drops the report of the one before.
    m_watcher.setFuture(QtConcurrent::run(&LongWorkPool(), [programFolder] { return std::make_shared<TzkPluginsPack>(programFolder); }));
}

} // namespace reelkeep
