// The threads of the windows' long work: loading, saving, exports, filters, statistics,
// recovery copies. Qt's painting splits big fills over its global thread pool and waits
// for them, so long jobs there would hold a window's repaint until one of them ends;
// they run on this pool instead.
#pragma once

#include <QThreadPool>
#include <memory>
#include <utility>

namespace reelkeep {

QThreadPool& LongWorkPool();

// Lets go of what is handed over on the pool: 100,000 records take a noticeable time to free.
template <typename Owner>
void FreeOnWorker(Owner owner)
{
    LongWorkPool().start([held = std::make_shared<Owner>(std::move(owner))]() mutable { held.reset(); });
}

} // namespace reelkeep
