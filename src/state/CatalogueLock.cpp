#include "CatalogueLock.h"

#include "StatePaths.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <map>

namespace reelkeep {
namespace {

// The locks this process holds, by lock file, shared by its windows.
std::map<QString, std::weak_ptr<QLockFile>>& heldLocks()
{
    static std::map<QString, std::weak_ptr<QLockFile>> held;
    return held;
}

// QLockFile records the application name and, reading a lock, takes the holder for
// gone when the holder's executable has another name; the lock is written under
// the executable's own name so that a live holder is always recognised.
class ExecutableName {
public:
    ExecutableName() : m_saved(QCoreApplication::applicationName())
    {
        QCoreApplication::setApplicationName(QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget()).fileName());
    }
    ~ExecutableName() { QCoreApplication::setApplicationName(m_saved); }
    ExecutableName(const ExecutableName&) = delete;
    ExecutableName& operator=(const ExecutableName&) = delete;

private:
    QString m_saved;
};

} // namespace

CatalogueLock::CatalogueLock(const QString& catalogue) : m_lockFile(LockFileFor(catalogue)) {}

CatalogueLock::~CatalogueLock() = default;

QString CatalogueLock::LockFileFor(const QString& catalogue)
{
    const QString path = CataloguePath(catalogue);
    const QFileInfo info(path);
    if (QFileInfo(info.absolutePath()).isWritable())
        return info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".lock");
    return RuntimeFolder() + QStringLiteral("/locks/") + CatalogueKey(path) + QStringLiteral(".lock");
}

bool CatalogueLock::tryLock()
{
    if (m_lock)
        return true;
    auto& held = heldLocks();
    if (const auto found = held.find(m_lockFile); found != held.end()) {
        if ((m_lock = found->second.lock()))
            return true;
        held.erase(found);
    }
    QDir().mkpath(QFileInfo(m_lockFile).absolutePath());
    auto lock = std::make_shared<QLockFile>(m_lockFile);
    if (!TakeLockFile(*lock))
        return false;
    held[m_lockFile] = lock;
    m_lock = std::move(lock);
    return true;
}

std::optional<LockHolder> CatalogueLock::holder() const
{
    QLockFile lock(m_lockFile);
    LockHolder holder;
    if (!lock.getLockInfo(&holder.pid, &holder.host, &holder.program))
        return std::nullopt;
    return holder;
}

void CatalogueLock::unlock()
{
    m_lock.reset();
}

bool TakeLockFile(QLockFile& lock)
{
    lock.setStaleLockTime(0);
    const ExecutableName name;
    if (lock.tryLock(0))
        return true;
    // A holder writes who it is right after creating the file; a file that still says
    // nothing readable after a while was left by a process killed in between, and would
    // otherwise keep every writer out for good.
    constexpr qint64 kUnwrittenLockAgeMs = 3000;
    qint64 pid = 0;
    QString host, program;
    const QFileInfo file(lock.fileName());
    if (lock.error() != QLockFile::LockFailedError || lock.getLockInfo(&pid, &host, &program)
        || file.lastModified().msecsTo(QDateTime::currentDateTime()) < kUnwrittenLockAgeMs)
        return false;
    return lock.removeStaleLockFile() && lock.tryLock(0);
}

QString HolderText(const std::optional<LockHolder>& holder)
{
    if (!holder)
        return QStringLiteral("?");
    QString text = holder->host + QStringLiteral(", pid ") + QString::number(holder->pid);
    if (!holder->program.isEmpty())
        text += QStringLiteral(", ") + holder->program;
    return text;
}

} // namespace reelkeep
