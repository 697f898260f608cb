#include "ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace reelkeep {
namespace {

QString compiledIn(const char* path)
{
    return QString::fromUtf8(path);
}

// A folder given relative to the executable's folder of an installed program.
QString besideExecutable(const QString& executableFolder, const char* relative)
{
    return QDir::cleanPath(QDir(executableFolder).filePath(compiledIn(relative)));
}

bool isInside(const QString& path, const QString& folder)
{
    return !folder.isEmpty() && (path == folder || path.startsWith(folder + QLatin1Char('/')));
}

} // namespace

QString ProgramFolder::ExecutableFolder()
{
    const QString executable = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    if (executable.isEmpty() && QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return executable.section(QLatin1Char('/'), 0, -2);
}

ProgramFolder::Layout ProgramFolder::LayoutOf(const QString& executableFolder, const QString& buildTree)
{
    // Without a folder nothing can be said to lie beside the program.
    if (QDir::isRelativePath(executableFolder))
        return Layout::Installed;
    if (isInside(QFileInfo(executableFolder).canonicalFilePath(), QFileInfo(buildTree).canonicalFilePath()))
        return Layout::BuildTree;
    if (QFileInfo(QDir(executableFolder).filePath(QStringLiteral("setup.ini"))).isFile())
        return Layout::Portable;
    return Layout::Installed;
}

ProgramFolder::Layout ProgramFolder::RunningLayout()
{
    return LayoutOf(ExecutableFolder(), compiledIn(REELKEEP_BUILD_TREE));
}

QString ProgramFolder::Locate(const QString& named, const QString& executableFolder, Layout layout, const QString& configHome)
{
    if (!named.isEmpty())
        return QDir(named).absolutePath();
    const bool inPlace = layout == Layout::BuildTree && QFileInfo(executableFolder).isWritable();
    if (inPlace || layout == Layout::Portable)
        return QDir(executableFolder).absolutePath();
    const QString base = configHome.isEmpty() ? QDir::home().filePath(QStringLiteral(".config")) : configHome;
    return QDir(base).absoluteFilePath(QStringLiteral("reelkeep"));
}

QStringList ProgramFolder::ShippedFolders(Layout layout, const QString& executableFolder)
{
    QStringList candidates;
    if (layout == Layout::BuildTree)
        candidates = {compiledIn(REELKEEP_SOURCE_DATA_DIR), compiledIn(REELKEEP_BUILD_DATA_DIR)};
    else if (layout == Layout::Installed && !QDir::isRelativePath(executableFolder))
        candidates = {besideExecutable(executableFolder, REELKEEP_BIN_TO_DATA),
                      besideExecutable(executableFolder, REELKEEP_BIN_TO_PLUGIN_PARENT)};
    QStringList folders;
    for (const QString& folder : candidates)
        if (QFileInfo(folder).isDir())
            folders.append(folder);
    return folders;
}

QStringList ProgramFolder::ShippedFolders()
{
    return ShippedFolders(RunningLayout(), ExecutableFolder());
}

QString ProgramFolder::HelperFolder(Layout layout, const QString& executableFolder)
{
    switch (layout) {
    case Layout::BuildTree:
        return compiledIn(REELKEEP_HELPER_BUILD_DIR);
    case Layout::Portable:
        return QDir(executableFolder).absolutePath();
    case Layout::Installed:
        break;
    }
    return besideExecutable(executableFolder, REELKEEP_BIN_TO_HELPERS);
}

QString ProgramFolder::HelperFolder()
{
    // Worked out once; the initialisation of a local static is thread-safe.
    static const QString folder = HelperFolder(RunningLayout(), ExecutableFolder());
    return folder;
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

QString ProgramFolder::Resolve(const QString& named)
{
    const QString chosen = named.isEmpty() ? qEnvironmentVariable("REELKEEP_HOME") : named;
    const QString executable = ExecutableFolder();
    const Layout layout = LayoutOf(executable, compiledIn(REELKEEP_BUILD_TREE));
    const QString folder = Locate(chosen, executable, layout, qEnvironmentVariable("XDG_CONFIG_HOME"));
    const bool isNew = !QFileInfo::exists(folder) || QDir(folder).isEmpty();
    QDir().mkpath(folder);
    if (chosen.isEmpty() || isNew)
        Seed(folder, ShippedFolders(layout, executable));
    return folder;
}

} // namespace reelkeep
