// The address of a web search for a record: a site's pattern with %Name% and
// %OrigName% (in any case) replaced by the record's titles, percent-encoded in the
// site's encoding (UTF-8, or windows-1251 for legacy sites). The opener is
// injectable, so tests see the address.
#pragma once

#include <QByteArray>
#include <QUrl>
#include <functional>

namespace reelkeep {

// The titles are encoded completely (only digits and Latin letters stay), so no
// character of a title can end the query; the pattern's own characters stay as
// written except spaces, control characters and those outside ASCII.
// encoding is kSearchEncodingUtf8 or kSearchEncodingWindows1251.
QByteArray SearchAddress(const QString& pattern, const QString& name, const QString& origName, const QString& encoding);

// The first title the pattern puts in the address that the encoding cannot carry
// whole; empty when there is none.
QString TitleNotCarried(const QString& pattern, const QString& name, const QString& origName, const QString& encoding);

// Hands an address to the browser; false when that failed.
using UrlOpener = std::function<bool(const QUrl&)>;
// The desktop's browser.
UrlOpener DesktopUrlOpener();

// Only web addresses are opened: anything else a pattern produces is refused.
bool IsWebAddress(const QUrl& url);

} // namespace reelkeep
