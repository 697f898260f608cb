// The file forms a list window reads and writes, chosen by the lower-cased
// extension, and the file-dialog filters that offer them.
#pragma once

#include <QString>
#include <QStringList>

namespace reelkeep {

class TzkReelkeep;

enum class FileForm { Unknown, Kdx, Xkdx, Xls, TextListing };

// ".kdx", ".xkdx", ".xls" and ".txt" in any case; the extension includes its dot.
FileForm FormOfExtension(const QString& extension);
// The extension of a path with its dot ("" when it has none).
QString ExtensionOf(const QString& path);

// Reads a catalogue form (.kdx by its signature) into the document; false when a
// .kdx signature is unknown. Throws ReelkeepError when the file cannot be read.
bool ReadCatalogue(TzkReelkeep& doc, const QString& path, FileForm form);
// Writes the document in a form; .kdx is always format 2.1. Throws ReelkeepError.
void WriteCatalogue(const TzkReelkeep& doc, const QString& path, FileForm form);

// Open and Save As: every file, then the catalogue, XML and Excel forms.
QStringList CatalogueFilters(const QString& allFilesText);
// New: the three forms a new catalogue can be written in.
QStringList NewCatalogueFilters();
// The path with the first extension of the filter appended when the path has none.
QString WithFilterExtension(const QString& path, const QString& filter);

} // namespace reelkeep
