#include "PenStyles.h"

#include <algorithm>

namespace reelkeep {

Qt::PenStyle ToQtPenStyle(int code)
{
    switch (code) {
    case psDash: return Qt::DashLine;
    case psDot: return Qt::DotLine;
    case psDashDot: return Qt::DashDotLine;
    case psDashDotDot: return Qt::DashDotDotLine;
    case psClear: return Qt::NoPen;
    default: return Qt::SolidLine;
    }
}

std::uint8_t ListPenStyleFromText(const QString& text)
{
    QString name = text;
    for (QChar& c : name)
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() + ('a' - 'A'));
    if (name == QLatin1String("dot"))
        return psDot;
    if (name == QLatin1String("dash"))
        return psDash;
    if (name == QLatin1String("dashdot"))
        return psDashDot;
    if (name == QLatin1String("dashdotdot"))
        return psDashDotDot;
    if (name == QLatin1String("clear"))
        return psClear;
    return psSolid;
}

QPen MakePen(int styleCode, int widthPixels, const QColor& colour)
{
    QPen pen(colour);
    pen.setStyle(ToQtPenStyle(styleCode));
    pen.setWidth(std::max(1, widthPixels));
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

} // namespace reelkeep
