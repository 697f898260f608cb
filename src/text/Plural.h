// Words that agree with a number: "1 запись", "2 записи", "5 записей".
#pragma once

#include <QString>

namespace reelkeep {

// The form of forms (alternatives separated by "|") that agrees with count. One form
// serves every count. Two forms follow English: the first for 1, the second otherwise.
// Three forms follow Russian: the first for 1, 21, 31 … (not 11), the second for 2–4,
// 22–24 … (not 12–14), the third for the rest (0, 5–20, 25–30, 111 …). Negative counts
// agree as their absolute value.
QString PluralForm(const QString& forms, qint64 count);

} // namespace reelkeep
