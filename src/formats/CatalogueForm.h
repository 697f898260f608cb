// The forms a catalogue can be written in, and which form a file name asks for.
#pragma once

#include <QString>
#include <optional>

namespace reelkeep {

enum class CatalogueForm {
    Kdx13,       // .kdx text version 1.3
    Kdx20,       // .kdx binary version 2.0
    Kdx21,       // .kdx binary version 2.1, the usual .kdx form
    Xml,         // .xkdx
    Xls,         // .xls workbook
    TextListing, // .txt listing, write-only
    TextForm,    // the "kdx v1.3" text handed to export plug-ins and the clipboard
};

// A short name for messages, e.g. ".kdx version 2.1" or ".xkdx (XML)".
QString FormName(CatalogueForm form);

// The form a file name's extension (in any case) asks for: .kdx gives version 2.1,
// .xkdx XML, .xls the workbook, .txt the listing. Empty for any other extension.
std::optional<CatalogueForm> FormOfFileName(const QString& fileName);

// The form Save writes fileName in: the form the catalogue was read from
// (loadedForm) when the name has the same extension, so a 2.0 or 1.3 .kdx stays
// what it was; otherwise the form of the extension. Empty for an unknown extension.
std::optional<CatalogueForm> FormForSaving(const QString& fileName, std::optional<CatalogueForm> loadedForm);

} // namespace reelkeep
