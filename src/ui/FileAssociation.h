// Associates catalogue files with the running program for the current user, the
// freedesktop way: MIME types, a desktop entry, an icon and the default application.
#pragma once

#include "TextLookup.h"

#include <QString>

namespace reelkeep {

// The per-user folders the association writes into.
struct XdgHomes {
    QString DataHome;   // $XDG_DATA_HOME, else ~/.local/share
    QString ConfigHome; // $XDG_CONFIG_HOME, else ~/.config

    static XdgHomes FromEnvironment();
};

enum class AssociationStep { None, MimePackage, MimeDatabase, DesktopEntry, DefaultApplication };

struct AssociationResult {
    AssociationStep FailedStep = AssociationStep::None;
    QString Detail; // what went wrong in that step
};

// Writes the MIME package and updates the user's MIME database, writes the desktop
// entry (running programPath) and its icon, and makes it the default for both types.
// Stops at the first step that fails.
AssociationResult AssociateFileTypes(const QString& programPath, const XdgHomes& homes);

// The message that tells the person how the association went.
QString DescribeAssociation(const AssociationResult& result, const TextLookup& lookup);

// One argument of a desktop entry's Exec key, quoted and escaped as that key requires.
QString DesktopExecArgument(const QString& argument);

} // namespace reelkeep
