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
    if (Pos(oldText, text) == 0)
        return text;
    QString s = text;
    const QString searched = folded(oldText, caseSensitive);
    qsizetype p = Pos(searched, folded(s, caseSensitive));
    while (p > 0) {
        s = Copy(s, 1, p - 1) + newText + Copy(s, p + oldText.size(), s.size() - p - oldText.size() + 1);
        p = Pos(searched, folded(s, caseSensitive));
    }
    return s;
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
