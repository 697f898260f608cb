#include "TzkFileNameParser.h"

#include "CodePage.h"
#include "IntegerText.h"
#include "TextUtils.h"

#include <QFileInfo>
#include <climits>

namespace reelkeep {

TzkFileNameParser::TzkFileNameParser(const FileNameSeparators& separators)
    : OrigNameSepBegin(separators.OrigNameSepBegin)
    , OrigNameSepEnd(separators.OrigNameSepEnd)
    , PartSepBegin(separators.PartSepBegin)
    , PartSepEnd(separators.PartSepEnd)
{
}

void TzkFileNameParser::Parse(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    Dir = slash < 0 ? ProgramDir : (slash == 0 ? QStringLiteral("/") : path.left(slash));
    const QString f = path.mid(slash + 1);
    const QString lower = CodePage::Default().lower(f);
    const qsizetype dot = f.lastIndexOf(QLatin1Char('.'));
    IsDvd = dot >= 0 && lower.mid(dot) == QLatin1String(".vob") && lower.contains(QLatin1String("vts_"));
    Name = parseName(f);
    OrigName = parseOrigName(f);
    parseParts(f);
}

QString TzkFileNameParser::MakePartFileName(int n) const
{
    return PartPrefix + QString::number(n) + PartSuffix;
}

QString TzkFileNameParser::parseName(const QString& f) const
{
    const qsizetype p = Pos(PartSepBegin, f);
    const qsizetype o = Pos(OrigNameSepBegin, f);
    QString name;
    if (p == 0 && o == 0) {
        const qsizetype dot = f.lastIndexOf(QLatin1Char('.'));
        name = dot < 0 ? QString() : f.left(dot);
    } else if (p > 0 && (o == 0 || p <= o)) {
        name = TextBefore(PartSepBegin, f);
    } else {
        name = TextBefore(OrigNameSepBegin, f);
    }
    if (CodePage::Default().lower(name).contains(QLatin1String(".cd")))
        name = TextBeforeCase(QStringLiteral(".cd"), name, false);
    return name.isEmpty() ? f : name;
}

QString TzkFileNameParser::parseOrigName(const QString& f) const
{
    const qsizetype b = Pos(OrigNameSepBegin, f);
    const qsizetype e = Pos(OrigNameSepEnd, f);
    return b >= e ? TextBetween(OrigNameSepEnd, OrigNameSepBegin, f) : TextBetween(OrigNameSepBegin, OrigNameSepEnd, f);
}

void TzkFileNameParser::parseParts(const QString& f)
{
    const qsizetype pb = Pos(PartSepBegin, f);
    const qsizetype pe = Pos(PartSepEnd, f);
    QString t;
    if (pb > 0 && pe > 0) {
        const QString& s1 = pb < pe ? PartSepBegin : PartSepEnd;
        const QString& s2 = pb < pe ? PartSepEnd : PartSepBegin;
        t = TextBetween(s1, s2, f);
        PartPrefix = TextBefore(s1, f) + s1;
        PartSuffix = s2 + TextAfter(s2, f);
        const QString r = TextAfter(QStringLiteral("-"), t);
        PartSuffix = QLatin1Char('-') + r + PartSuffix;
        t = r;
    } else {
        const QString cd = QStringLiteral(".cd");
        const QString afterCd = TextAfterCase(cd, f, false);
        PartPrefix = TextBeforeCase(cd, f, false) + cd;
        t = TextBefore(QStringLiteral("."), afterCd);
        PartSuffix = QLatin1Char('.') + TextAfter(QStringLiteral("."), afterCd);
        if (const std::optional<qint64> first = IsNumber(t) ? ParseInteger(t, 0, INT_MAX) : std::nullopt) {
            int n = static_cast<int>(*first);
            // The count is the last consecutive part that exists, from this file's number up.
            while (n < INT_MAX && QFileInfo::exists(Dir + QLatin1Char('/') + MakePartFileName(n + 1)))
                ++n;
            t = QString::number(n);
        }
    }
    const std::optional<qint64> count = IsNumber(t) ? ParseInteger(t, 1, INT_MAX) : std::nullopt;
    PartsCount = count ? static_cast<int>(*count) : 1;
}

} // namespace reelkeep
