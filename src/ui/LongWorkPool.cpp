#include "LongWorkPool.h"

#include <QThread>
#include <QThreadPool>
#include <algorithm>

namespace reelkeep {

QThreadPool& LongWorkPool()
{
    // Never freed: jobs of windows closing at exit may still be ending on it.
    static QThreadPool* const pool = [] {
        auto* made = new QThreadPool;
        made->setObjectName(QStringLiteral("LongWork"));
        // Room for a quick job (a filter's values) beside a save and a recovery copy on a small machine.
        made->setMaxThreadCount(std::max(4, QThread::idealThreadCount()));
        return made;
    }();
    return *pool;
}

} // namespace reelkeep
