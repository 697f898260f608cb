// The program's name and version as its windows show them.
#pragma once

#include <QString>

namespace reelkeep {

inline QString ProgramName()
{
    return QStringLiteral("Tavrine Reelkeep");
}

inline QString ProgramVersion()
{
    return QStringLiteral("v2.1.0.146 beta");
}

} // namespace reelkeep
