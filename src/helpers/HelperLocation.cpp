#include "HelperLocation.h"

#include "ProgramFolder.h"

namespace reelkeep {

QString HelperExecutable(const QString& name)
{
    return ProgramFolder::HelperFolder() + QLatin1Char('/') + name;
}

} // namespace reelkeep
