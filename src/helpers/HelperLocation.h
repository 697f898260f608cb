// Where the helper executables the program starts are found.
#pragma once

#include <QString>

namespace reelkeep {

// The full path of the named helper executable. Safe to call from any thread.
QString HelperExecutable(const QString& name);

} // namespace reelkeep
