#include "ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace reelkeep {

QString ProgramFolder::Locate(const QString& homeVariable, const QString& executableDir, const QString& configHome)
{
    if (!homeVariable.isEmpty())
        return QDir(homeVariable).absolutePath();
    const QFileInfo executable(executableDir);
    if (!executableDir.isEmpty() && executable.isDir() && executable.isWritable())
        return executable.absoluteFilePath();
    const QString base = configHome.isEmpty() ? QDir::home().filePath(QStringLiteral(".config")) : configHome;
    return QDir(base).absoluteFilePath(QStringLiteral("reelkeep"));
}

QStringList ProgramFolder::ShippedFolders()
{
    QStringList folders;
    for (const char* path : {REELKEEP_SOURCE_DATA_DIR, REELKEEP_BUILD_DATA_DIR, REELKEEP_INSTALL_DATA_DIR}) {
        const QString folder = QString::fromUtf8(path);
        if (QFileInfo(folder).isDir())
            folders.append(folder);
    }
    return folders;
}

void ProgramFolder::Seed(const QString& folder, const QStringList& shippedFolders)
{
    const QDir target(folder);
    for (const QString& shipped : shippedFolders) {
        const QDir source(shipped);
        if (source.absolutePath() == target.absolutePath())
            continue;
        // Only what belongs in a program folder: language files, covers and plug-ins.
        QStringList files = source.entryList({QStringLiteral("*.lng"), QStringLiteral("*.cvr")}, QDir::Files);
        for (const QString& name : QDir(source.filePath(QStringLiteral("Plugins"))).entryList({QStringLiteral("*.kdp")}, QDir::Files))
            files << QStringLiteral("Plugins/") + name;
        for (const QString& relative : files) {
            const QFileInfo from(source.filePath(relative));
            const QFileInfo to(target.filePath(relative));
            if (to.exists()) {
                const bool newerPlugin = from.suffix() == QLatin1String("kdp") && from.lastModified() > to.lastModified();
                if (!newerPlugin || !QFile::remove(to.absoluteFilePath()))
                    continue;
            }
            target.mkpath(to.absolutePath());
            QFile::copy(from.absoluteFilePath(), to.absoluteFilePath());
        }
    }
}

QString ProgramFolder::Resolve()
{
    const QString home = qEnvironmentVariable("REELKEEP_HOME");
    const QString folder = Locate(home, QCoreApplication::applicationDirPath(), qEnvironmentVariable("XDG_CONFIG_HOME"));
    QDir().mkpath(folder);
    // An explicitly named folder is the user's (or a test's) own: nothing is added to it.
    if (home.isEmpty())
        Seed(folder, ShippedFolders());
    return folder;
}

} // namespace reelkeep
