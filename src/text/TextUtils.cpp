#include "TextUtils.h"

#include "CodePage.h"

namespace reelkeep {
namespace {

QString folded(const QString& s, bool caseSensitive)
{
    return caseSensitive ? s : CodePage::Default().lower(s);
}

} // namespace

QString Copy(const QString& s, qsizetype index, qsizetype count)
{
    if (s.isEmpty() || count < 0 || index > s.size())
        return {};
    if (index < 1)
        index = 1;
    count = std::min(count, s.size() - index + 1);
    return s.mid(index - 1, count);
}

qsizetype Pos(const QString& sub, const QString& s)
{
    if (sub.isEmpty())
        return 0;
    return s.indexOf(sub) + 1;
}

QString AppendItem(const QString& list, const QString& item, const QString& separator)
{
    const QString value = item.isEmpty() ? QStringLiteral("?") : item;
    return list.isEmpty() ? value : list + separator + value;
}

bool IsNumber(const QString& text)
{
    if (text.isEmpty())
        return false;
    for (const QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

QString ReplaceAll(const QString& text, const QString& oldText, const QString& newText, bool caseSensitive)
{
    // The presence test is case-sensitive even for a case-insensitive replacement.
    if (Pos(oldText, text) == 0)
        return text;
    const QString searched = folded(oldText, caseSensitive);
    QString result;
    qsizetype from = 0;
    // The search goes on after each inserted text, so a new text that holds the old
    // one (a file name with "%Name%" in it) is never replaced again.
    const QString foldedText = folded(text, caseSensitive);
    for (qsizetype at = foldedText.indexOf(searched); at >= 0; at = foldedText.indexOf(searched, from)) {
        result += QStringView(text).mid(from, at - from) + newText;
        from = at + oldText.size();
    }
    result += QStringView(text).mid(from);
    return result;
}

QString TextFrom(const QString& sub, const QString& text)
{
    const qsizetype p = Pos(sub, text);
    return p > 0 ? Copy(text, p, text.size() + 1) : QString();
}

QString TextAfter(const QString& sub, const QString& text)
{
    const qsizetype p = Pos(sub, text);
    return p > 0 ? Copy(text, p + sub.size(), text.size() - sub.size() + 1) : QString();
}

QString TextBefore(const QString& sub, const QString& text)
{
    const qsizetype p = Pos(sub, text);
    return p > 0 ? Copy(text, 1, p - 1) : QString();
}

QString TextBetween(const QString& first, const QString& second, const QString& text)
{
    const qsizetype p1 = Pos(first, text);
    const qsizetype p2 = Pos(second, text);
    return Copy(text, p1 + first.size(), p2 - p1 - first.size());
}

QString TextAfterCase(const QString& sub, const QString& text, bool caseSensitive)
{
    if (caseSensitive)
        return TextAfter(sub, text);
    const qsizetype p = Pos(folded(sub, false), folded(text, false));
    return p > 0 ? Copy(text, p + sub.size(), text.size() - sub.size() + 1) : QString();
}

QString TextBeforeCase(const QString& sub, const QString& text, bool caseSensitive)
{
    if (caseSensitive)
        return TextBefore(sub, text);
    const qsizetype p = Pos(folded(sub, false), folded(text, false));
    return p > 0 ? Copy(text, 1, p - 1) : QString();
}

} // namespace reelkeep
