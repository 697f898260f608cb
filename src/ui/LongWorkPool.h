// The threads of the windows' long work: loading, saving, exports, filters, statistics,
// recovery copies. Qt's painting splits big fills over its global thread pool and waits
// for them, so long jobs there would hold a window's repaint until one of them ends;
// they run on this pool instead.
#pragma once

class QThreadPool;

namespace reelkeep {

QThreadPool& LongWorkPool();

} // namespace reelkeep
