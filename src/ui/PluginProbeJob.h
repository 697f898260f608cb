// Probes the program folder's plug-ins on a worker thread (each may take seconds to
// answer), so that the windows show and work meanwhile; the pack found is handed
// over on the GUI thread. A newer probe supersedes one still running.
#pragma once

#include "TzkPluginsPack.h"

#include <QFutureWatcher>
#include <QObject>
#include <memory>

namespace reelkeep {

class PluginProbeJob : public QObject {
    Q_OBJECT
public:
    explicit PluginProbeJob(QObject* parent = nullptr);

    void start(const QString& programFolder);
    bool isRunning() const { return m_watcher.isRunning(); }

signals:
    void probed(std::shared_ptr<TzkPluginsPack> plugins);

private:
    QFutureWatcher<std::shared_ptr<TzkPluginsPack>> m_watcher;
};

} // namespace reelkeep
