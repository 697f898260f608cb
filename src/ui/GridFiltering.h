// Filters the sheet a list window shows. A big sheet is filtered on a worker thread
// over a copy of the cells its filters read, and the rows' flags are set in one step
// with one reset of the grid; meanwhile the window stays usable. A newer filtering
// replaces the running one, and a change to the grid's rows meanwhile makes it start over.
#pragma once

#include <QFutureWatcher>
#include <QObject>
#include <functional>
#include <memory>
#include <vector>

namespace reelkeep {

class FilterPass;
class GridModel;
class TZKList;

class GridFiltering : public QObject {
    Q_OBJECT
public:
    GridFiltering(GridModel& model, std::function<TZKList*()> currentList, QObject* parent = nullptr);
    ~GridFiltering() override;

    // Filters the current sheet by its column filters; filtered() follows, at once for a small sheet.
    void refilter();
    bool isRunning() const { return m_pass != nullptr; }
    // Sheets of at least this many top-level records are filtered on a worker.
    void setWorkerFrom(int records) { m_workerFrom = records; }

signals:
    void filtered();

private:
    void passEnded();
    void rowsChanging();

    GridModel& m_model;
    std::function<TZKList*()> m_currentList;
    std::shared_ptr<const FilterPass> m_pass; // the pass running, if any
    QFutureWatcher<std::vector<char>> m_watcher;
    bool m_stale = false;
    int m_workerFrom = 20000;
};

} // namespace reelkeep
