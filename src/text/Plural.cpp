#include "Plural.h"

#include <QStringList>

namespace reelkeep {
namespace {

qsizetype RussianForm(quint64 n)
{
    const quint64 lastTwo = n % 100;
    const quint64 last = n % 10;
    if (lastTwo >= 11 && lastTwo <= 14)
        return 2;
    if (last == 1)
        return 0;
    return last >= 2 && last <= 4 ? 1 : 2;
}

} // namespace

QString PluralForm(const QString& forms, qint64 count)
{
    const QStringList alternatives = forms.split(QLatin1Char('|'));
    const quint64 n = count < 0 ? 0 - static_cast<quint64>(count) : static_cast<quint64>(count);
    switch (alternatives.size()) {
    case 1: return alternatives[0];
    case 2: return alternatives[n == 1 ? 0 : 1];
    default: return alternatives[RussianForm(n)];
    }
}

} // namespace reelkeep
