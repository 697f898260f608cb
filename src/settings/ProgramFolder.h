// Where the program keeps its settings, language files, plug-ins, covers and log,
// and how a new program folder gets the files the program ships with.
#pragma once

#include <QString>
#include <QStringList>

namespace reelkeep {

class ProgramFolder {
public:
    // The folder for this process: $REELKEEP_HOME when set; else the executable's
    // folder when it is writable; else $XDG_CONFIG_HOME/reelkeep (~/.config/reelkeep).
    // The last two are seeded with the shipped files they lack. The folder is created.
    static QString Resolve();

    // The choice itself, from the three candidates.
    static QString Locate(const QString& homeVariable, const QString& executableDir, const QString& configHome);

    // Folders laid out like a program folder that hold the shipped files: the
    // source tree's data/, the build tree's data/ (plug-ins), the installed share/reelkeep.
    static QStringList ShippedFolders();

    // Copies the language files, covers and plug-ins of the shipped folders that the folder lacks; plug-in
    // libraries are also replaced by newer shipped builds. Other files the user may
    // have changed are never overwritten. Failures to copy are skipped silently.
    static void Seed(const QString& folder, const QStringList& shippedFolders);
};

} // namespace reelkeep
