// Loading and saving a catalogue file by its extension, as the list window does,
// for every command of reelkeep-cli that reads or writes catalogues.
#pragma once

#include "CatalogueForm.h"
#include "CliCommand.h"
#include "CommandArgs.h"
#include "TzkReelkeep.h"

#include <QString>

namespace reelkeep::cli {

// An empty document with the column template of the program folder's settings, as
// the list window's document has: widths, and the patterns 1.x files lack.
TzkReelkeep NewDocument(const CliContext& context);

// The lower-cased extension decides: .kdx (by signature), .xkdx, .xls. Any other
// extension throws ReelkeepError unless asKdx. False when a .kdx signature is unknown.
bool LoadCatalogue(TzkReelkeep& doc, const QString& fileName, bool asKdx = false);

// List listNumber (counted from 1); throws ReelkeepError when the catalogue has fewer.
TZKList& NumberedList(TzkReelkeep& doc, int listNumber);

// The number of the list a command works on: the one `--list N` names, the first
// without it. Throws ReelkeepError naming the file when the catalogue holds no list.
int ChosenListNumber(const TzkReelkeep& doc, const QString& fileName, const CommandArgs& parsed);

// The form OUT's extension names: .kdx (version 2.1, or kdxVersion "1.3" or "2.0"),
// .xkdx, .xls, .txt (the listing). Throws ReelkeepError for another extension.
CatalogueForm FormOfOutput(const QString& fileName, const QString& kdxVersion = QString());

// Writes the catalogue in form after asking what it would lose: throws
// ReelkeepError, writing nothing, when the form cannot hold the catalogue, or
// would lose something and allowLoss is false.
void SaveCatalogue(const TzkReelkeep& doc, const QString& fileName, CatalogueForm form, bool allowLoss);

// Saves the catalogue over the file it was read from, in the form it was read
// in (a new file: the form of its extension), as SaveCatalogue does.
void SaveCatalogueBack(const TzkReelkeep& doc, const QString& fileName, bool allowLoss);

// Keeps a catalogue that the command has finished with until the process ends,
// for a command about to return: freeing a large catalogue record by record costs
// as much as a fifth of a conversion, and the end of the process returns all of it
// at once. It stays reachable, so leak checkers do not count it.
void KeepUntilExit(TzkReelkeep&& doc);

// Says on stderr that the file is of no known form; returns ExitUnknownSignature.
int ReportUnknownSignature(const QString& fileName);

} // namespace reelkeep::cli
