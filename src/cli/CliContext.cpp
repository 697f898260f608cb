#include "CliCommand.h"
#include "ProgramFolder.h"

namespace reelkeep::cli {

const QDir& CliContext::home() const
{
    if (!m_home)
        m_home.emplace(ProgramFolder::Resolve(m_named));
    return *m_home;
}

} // namespace reelkeep::cli
