// Where the program keeps its settings, language files, plug-ins, covers and log,
// where it finds the files it ships with and its helper executables, and how a
// new program folder gets the shipped files.
#pragma once

#include <QString>
#include <QStringList>

namespace reelkeep {

class ProgramFolder {
public:
    // How the running program was put on the machine, told by where its executable is.
    enum class Layout {
        BuildTree, // run in place from the build tree it was built in
        Portable,  // an unpacked folder holding the program beside its own setup.ini
        Installed, // bin/ of an install prefix; shipped files under share/ and lib/
    };

    // The folder for this process: `named` (the --home option), else $REELKEEP_HOME,
    // else by the layout (see Locate). The folder is created when missing. A folder
    // chosen by the layout gets the shipped files it lacks on every start; a named
    // one only when it is new (missing or empty): what else is in it is the user's.
    static QString Resolve(const QString& named = QString());

    // The choice itself. A named folder wins; a build tree uses the executable's
    // folder when it can be written, a portable folder always uses it (read-only
    // when it cannot be written); otherwise $XDG_CONFIG_HOME/reelkeep (~/.config/reelkeep).
    static QString Locate(const QString& named, const QString& executableFolder, Layout layout, const QString& configHome);

    // The folder of the running executable, symbolic links resolved.
    static QString ExecutableFolder();
    // A build tree when the executable lies inside `buildTree`; portable when its
    // folder holds setup.ini; installed otherwise.
    static Layout LayoutOf(const QString& executableFolder, const QString& buildTree);
    static Layout RunningLayout();

    // Folders laid out like a program folder (language files and covers at the top,
    // plug-ins in Plugins/) that a program folder is seeded from: the source and
    // build trees' data/ for a build tree, the prefix's share/reelkeep and
    // lib/reelkeep once installed, none for a portable folder (it is complete).
    static QStringList ShippedFolders(Layout layout, const QString& executableFolder);
    static QStringList ShippedFolders();

    // Where the helper executables the program starts live: the build tree's
    // libexec/ in place, the prefix's libexec/reelkeep once installed, the
    // executable's own folder when portable. Safe to call from any thread.
    static QString HelperFolder(Layout layout, const QString& executableFolder);
    static QString HelperFolder();

    // Copies the language files, covers and plug-ins of the shipped folders that the folder lacks; plug-in
    // libraries are also replaced by newer shipped builds. Other files the user may
    // have changed are never overwritten. Failures to copy are skipped silently.
    static void Seed(const QString& folder, const QStringList& shippedFolders);
};

} // namespace reelkeep
