#include "GridFiltering.h"

#include "FilterPass.h"
#include "GridModel.h"
#include "LongWorkPool.h"
#include "TZKList.h"

#include <QtConcurrent/QtConcurrentRun>

namespace reelkeep {

GridFiltering::GridFiltering(GridModel& model, std::function<TZKList*()> currentList, QObject* parent)
    : QObject(parent), m_model(model), m_currentList(std::move(currentList))
{
    connect(&m_watcher, &QFutureWatcherBase::finished, this, &GridFiltering::passEnded);
    // Rows added, deleted or reordered, or another sheet or document shown: the copy is out of date.
    connect(&m_model, &QAbstractItemModel::modelAboutToBeReset, this, &GridFiltering::rowsChanging);
    connect(&m_model, &QAbstractItemModel::layoutAboutToBeChanged, this, &GridFiltering::rowsChanging);
    connect(&m_model, &QAbstractItemModel::rowsAboutToBeInserted, this, &GridFiltering::rowsChanging);
    connect(&m_model, &QAbstractItemModel::rowsAboutToBeRemoved, this, &GridFiltering::rowsChanging);
}

GridFiltering::~GridFiltering()
{
    // The worker reads only its copy; it is told to stop and left to end on its own.
    m_watcher.cancel();
}

void GridFiltering::rowsChanging()
{
    if (m_pass)
        m_stale = true;
}

void GridFiltering::refilter()
{
    TZKList* list = m_currentList();
    if (m_pass) {
        // Its end, should it still come, finds no pass and is let go.
        m_watcher.cancel();
        m_pass.reset();
    }
    if (!list)
        return;
    if (list->RowCount() < m_workerFrom) {
        m_model.rebuild([list] { list->ApplyFilter(); });
        emit filtered();
        return;
    }
    m_stale = false;
    m_pass = std::make_shared<const FilterPass>(*list);
    m_watcher.setFuture(QtConcurrent::run(&LongWorkPool(), [pass = m_pass](QPromise<std::vector<char>>& promise) {
        std::vector<char> flags = pass->run([&promise] { return promise.isCanceled(); });
        if (!promise.isCanceled())
            promise.addResult(std::move(flags));
    }));
}

void GridFiltering::passEnded()
{
    const std::shared_ptr<const FilterPass> pass = std::move(m_pass);
    if (!pass || m_watcher.isCanceled() || m_watcher.future().resultCount() == 0)
        return;
    TZKList* list = m_currentList();
    if (m_stale || list != pass->list()) {
        // Filtered again from the rows as they are now.
        refilter();
        return;
    }
    const std::vector<char> flags = m_watcher.result();
    m_model.rebuild([&] { pass->apply(*list, flags); });
    emit filtered();
}

} // namespace reelkeep
