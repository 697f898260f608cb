// Loading and saving a catalogue file by its extension, as the list window does,
// for every command of reelkeep-cli that reads or writes catalogues.
#pragma once

#include "CliCommand.h"
#include "TzkReelkeep.h"

#include <QString>

namespace reelkeep::cli {

// An empty document with the column template of the program folder's settings, as
// the list window's document has: widths, and the patterns 1.x files lack.
TzkReelkeep NewDocument(const CliContext& context);

// The lower-cased extension decides: .kdx (by signature), .xkdx, .xls. Any other
// extension throws ReelkeepError unless asKdx. False when a .kdx signature is unknown.
bool LoadCatalogue(TzkReelkeep& doc, const QString& fileName, bool asKdx = false);

// .kdx (format 2.1, or kdxVersion "1.3" or "2.0"), .xkdx, .xls, .txt (the listing).
// Throws ReelkeepError for another extension or version.
void SaveCatalogue(const TzkReelkeep& doc, const QString& fileName, const QString& kdxVersion = QString());

// Says on stderr that the file is of no known form; returns ExitUnknownSignature.
int ReportUnknownSignature(const QString& fileName);

} // namespace reelkeep::cli
