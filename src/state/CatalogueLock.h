// The advisory lock that makes one process the writer of a catalogue: a QLockFile
// beside the catalogue when its folder is writable, else under the runtime folder.
// Windows of one process share their process's lock on a catalogue.
#pragma once

#include <QString>
#include <memory>
#include <optional>

class QLockFile;

namespace reelkeep {

struct LockHolder {
    qint64 pid = 0;
    QString host;
    QString program;
};

class CatalogueLock {
public:
    explicit CatalogueLock(const QString& catalogue);
    ~CatalogueLock();
    CatalogueLock(const CatalogueLock&) = delete;
    CatalogueLock& operator=(const CatalogueLock&) = delete;

    static QString LockFileFor(const QString& catalogue);

    // True when this process holds the lock now; a lock left by a process that is no
    // longer running (on this host) is taken over.
    bool tryLock();
    bool isLocked() const { return m_lock != nullptr; }
    // Who holds the lock, after tryLock failed; empty when that cannot be read.
    std::optional<LockHolder> holder() const;
    void unlock();

private:
    QString m_lockFile;
    std::shared_ptr<QLockFile> m_lock;
};

// Takes the lock file for this process now, or reports false: a lock whose holder
// is no longer running on this host is taken over, a live one never for its age.
bool TakeLockFile(QLockFile& lock);

// "host, pid N, program" for messages (the program when known).
QString HolderText(const std::optional<LockHolder>& holder);

} // namespace reelkeep
