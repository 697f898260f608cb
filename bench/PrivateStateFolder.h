// The windows a benchmark opens keep versions and recovery copies of their catalogues in
// the state folder: a temporary one of the benchmark's own, removed at its end, not the
// person's who runs it.
#pragma once

#include <QFile>
#include <QTemporaryDir>

namespace reelkeep::bench {

inline void UsePrivateStateFolder()
{
    static QTemporaryDir folder;
    qputenv("XDG_STATE_HOME", QFile::encodeName(folder.path()));
}

} // namespace reelkeep::bench
