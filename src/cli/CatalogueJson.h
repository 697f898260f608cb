// The catalogue as JSON, the output of dump, sort and filter: every list with its
// columns, its row tree and digests of its images; cells as in memory (CR LF).
#pragma once

#include "TZKLists.h"

#include <QByteArray>
#include <QJsonObject>

namespace reelkeep::cli {

QJsonObject CatalogueToJson(const TZKLists& lists);
// Indented UTF-8 text ending in a line break.
QByteArray CatalogueJsonText(const TZKLists& lists);

} // namespace reelkeep::cli
