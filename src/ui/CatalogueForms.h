// Reading a catalogue in the form its name asks for, and the file-dialog filters
// that offer the catalogue forms.
#pragma once

#include "CatalogueForm.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace reelkeep {

class TzkReelkeep;

// The form a list window reads a file in: .kdx (any version, by its signature), .xkdx
// or .xls; empty for any other name.
std::optional<CatalogueForm> ReadableFormOf(const QString& path);
// Reads the file into the document; false when a .kdx signature is unknown.
// Throws ReelkeepError when the file cannot be read.
bool ReadCatalogue(TzkReelkeep& doc, const QString& path, CatalogueForm form);

// Open and Save As: every file, then the catalogue, XML and Excel forms.
QStringList CatalogueFilters(const QString& allFilesText);
// New: the three forms a new catalogue can be written in.
QStringList NewCatalogueFilters();
// The .kdx filter of Add from list and of the Lists page, its name from the language table.
QString RecordListFilter(const QString& name);
// The path with the first extension of the filter appended when the path has none.
QString WithFilterExtension(const QString& path, const QString& filter);

} // namespace reelkeep
