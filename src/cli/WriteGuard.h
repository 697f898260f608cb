// The protections of a command that writes a catalogue: the catalogue's lock, held
// until the command ends, and the replaced file kept as an earlier version.
#pragma once

#include "CatalogueLock.h"
#include "CliCommand.h"

namespace reelkeep::cli {

class WriteGuard {
public:
    // Throws ReelkeepError naming the holder when another process has the catalogue
    // open, unless --ignore-lock was given.
    WriteGuard(const CliContext& context, const QString& catalogue);

    // Keeps the file as it is now as an earlier version, just before it is replaced;
    // a failure is told on stderr and does not stop the save.
    void keepVersion() const;

private:
    const CliContext& m_context;
    QString m_catalogue;
    CatalogueLock m_lock;
};

} // namespace reelkeep::cli
