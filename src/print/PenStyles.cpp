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

QPen MakePen(int styleCode, int widthPixels, const QColor& colour)
{
    QPen pen(colour);
    pen.setStyle(ToQtPenStyle(styleCode));
    pen.setWidth(std::clamp(widthPixels, 1, 1 << 16)); // damaged settings may ask for absurd widths
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

QColor PenColor(std::uint32_t value)
{
    if (value & 0xFF000000u)
        return Qt::black;
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

} // namespace reelkeep
