#include "WriteGuard.h"

#include "EntryCommandSupport.h"
#include "KeptVersions.h"
#include "ReelkeepError.h"
#include "zkOptions.h"

namespace reelkeep::cli {

WriteGuard::WriteGuard(const CliContext& context, const QString& catalogue)
    : m_context(context), m_catalogue(catalogue), m_lock(catalogue)
{
    if (!m_lock.tryLock() && !context.ignoreLock)
        throw ReelkeepError(QStringLiteral("\"%1\" is open for writing in another process (%2); nothing was saved. "
                                           "--ignore-lock writes it all the same.")
                                .arg(catalogue, HolderText(m_lock.holder())));
}

void WriteGuard::keepVersion() const
{
    try {
        KeptVersions().Keep(m_catalogue, VersionLimitsOf(*LoadProgramOptions(m_context)));
    } catch (const ReelkeepError& error) {
        WriteErr(QStringLiteral("No earlier version of \"%1\" was kept: %2\n").arg(m_catalogue, error.message()));
    }
}

} // namespace reelkeep::cli
