// The text of the question (or refusal) before a save that would lose something,
// worded from the language table so it reads in the person's language.
#pragma once

#include "LossReport.h"
#include "TextLookup.h"

namespace reelkeep {

// Multi-line text: the framing line naming the file and the form, then one line per
// loss with its count, first place and the forms that keep it. When the form cannot
// take the catalogue at all, only what prevents the save is listed. Empty for an
// empty report.
// The form's short name, as the loss question names it.
QString FormWording(CatalogueForm form, const TextLookup& text);
QString LossMessage(const LossReport& report, const QString& fileName, const TextLookup& text);

} // namespace reelkeep
