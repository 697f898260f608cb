// The forms Save As offers, one filter entry each, and the form it recommends when a
// save would lose something.
#pragma once

#include "CatalogueForm.h"
#include "TextLookup.h"

#include <QStringList>
#include <optional>
#include <vector>

namespace reelkeep {

class TZKLists;

// In the order of the dialog's filter entries; the first is the default.
const std::vector<CatalogueForm>& SaveAsFormOrder();
// One filter entry per form of SaveAsFormOrder, worded from the language table.
QStringList SaveAsFilters(const TextLookup& text);
struct SaveAsTarget {
    QString path;
    std::optional<CatalogueForm> form; // empty for an extension no form has
};
// Where and how the chosen name is written: in the filter's own form when the name has
// the filter's extension or none (it is then given it), otherwise in the form the typed
// extension asks for.
SaveAsTarget SaveAsTargetOf(const QString& chosenPath, int filterIndex);
// The form that keeps everything in the lists, lossless forms first; empty when none does.
std::optional<CatalogueForm> RecommendedForm(const TZKLists& lists);
// The path with its extension replaced by the one of form.
QString PathInForm(const QString& path, CatalogueForm form);

} // namespace reelkeep
