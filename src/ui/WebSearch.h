// The address of a web search for a record: a site's pattern with %Name% and
// %OrigName% (in any case) replaced by the record's titles, percent-encoded in the
// 8-bit code page. The opener is injectable, so tests see the address.
#pragma once

#include "CodePage.h"

#include <QByteArray>
#include <QUrl>
#include <functional>

namespace reelkeep {

// The titles are encoded completely (only digits and Latin letters stay), so no
// character of a title can end the query; the pattern's own characters stay as
// written except spaces, control characters and those outside ASCII.
QByteArray SearchAddress(const QString& pattern, const QString& name, const QString& origName,
                         const CodePage& codePage = CodePage::Default());

// Hands an address to the browser; false when that failed.
using UrlOpener = std::function<bool(const QUrl&)>;
// The desktop's browser.
UrlOpener DesktopUrlOpener();

// Only web addresses are opened: anything else a pattern produces is refused.
bool IsWebAddress(const QUrl& url);

} // namespace reelkeep
