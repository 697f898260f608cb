// A small tmpfs mounted on a folder, for tests of a disk that fills up. Only root can
// mount one: a test asks mounted() and skips itself without. Unmounted when it goes.
#pragma once

#include <QDir>
#include <QFile>
#include <sys/mount.h>
#include <unistd.h>

namespace reelkeep::test {

class SmallDisk {
public:
    SmallDisk(const QString& folder, const char* options) : m_folder(QFile::encodeName(folder))
    {
        QDir().mkpath(folder);
        m_mounted = geteuid() == 0 && mount("tmpfs", m_folder.constData(), "tmpfs", 0, options) == 0;
    }
    ~SmallDisk()
    {
        if (m_mounted)
            umount2(m_folder.constData(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool mounted() const { return m_mounted; }

private:
    QByteArray m_folder;
    bool m_mounted = false;
};

} // namespace reelkeep::test
