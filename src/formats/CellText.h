// The 8-bit text of cells and names as every line-oriented and binary catalogue
// form stores it: code-page bytes, with each CR LF pair of a cell written as "<br>".
#pragma once

#include "CodePage.h"

#include <QByteArray>
#include <QString>

namespace reelkeep {

// Appends the text in the code page ('?' for characters it lacks); with breaksAsTags
// every CR LF pair becomes "<br>". Lone CR and lone LF are written unchanged.
// Returns how many code units were written as '?' though they were something else.
qsizetype AppendText8(QByteArray& out, QStringView text, bool breaksAsTags, const CodePage& codePage = CodePage::Default());

// The wide text of stored bytes; with breaksAsTags every "<br>" becomes CR LF.
QString TextFrom8(QByteArrayView bytes, bool breaksAsTags, const CodePage& codePage = CodePage::Default());

} // namespace reelkeep
