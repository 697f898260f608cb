// Small text functions used wherever file names are cut, placeholders filled
// and value lists built. Positions are 1-based; case folding follows the code page.
#pragma once

#include <QString>

namespace reelkeep {

// Substring with the forgiving rules all functions below rely on: empty for an empty
// text, a negative count or an index past the end; an index below 1 counts as 1.
QString Copy(const QString& s, qsizetype index, qsizetype count);
// 1-based position of the leftmost occurrence of sub, 0 when absent or sub is empty.
qsizetype Pos(const QString& sub, const QString& s);

QString AppendItem(const QString& list, const QString& item, const QString& separator);
bool IsNumber(const QString& text);
QString ReplaceAll(const QString& text, const QString& oldText, const QString& newText, bool caseSensitive);
QString TextFrom(const QString& sub, const QString& text);
QString TextAfter(const QString& sub, const QString& text);
QString TextBefore(const QString& sub, const QString& text);
QString TextBetween(const QString& first, const QString& second, const QString& text);
QString TextAfterCase(const QString& sub, const QString& text, bool caseSensitive);
QString TextBeforeCase(const QString& sub, const QString& text, bool caseSensitive);

} // namespace reelkeep
