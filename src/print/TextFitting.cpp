#include "TextFitting.h"

#include "TzkPrintOptions.h"

#include <algorithm>
#include <cmath>

namespace reelkeep {

QString FitText(const QString& text, int width, const QFontMetrics& metrics)
{
    if (metrics.horizontalAdvance(text) <= width)
        return text;
    const QString dots = QStringLiteral("...");
    // Dropping characters one by one from the end would measure the text once per
    // character; a binary search finds the same longest fitting prefix, since a
    // longer prefix is never narrower.
    qsizetype low = 0;
    qsizetype high = text.size();
    while (low < high) {
        const qsizetype middle = (low + high + 1) / 2;
        if (metrics.horizontalAdvance(text.left(middle) + dots) <= width)
            low = middle;
        else
            high = middle - 1;
    }
    return text.left(low) + dots;
}

QString OneLine(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

QFont PixelFont(const QString& family, int points)
{
    QFont font(family);
    // Sized as the screen would draw these points: height = points * dpi / 72,
    // rounded half away from zero.
    const int pixels = static_cast<int>(std::lround(std::abs(points) * ScreenDpiY() / 72.0));
    font.setPixelSize(std::clamp(pixels, 1, 16384)); // damaged layouts may ask for absurd sizes
    return font;
}

int TextHeight(const QFontMetrics& metrics)
{
    return metrics.ascent() + metrics.descent();
}

} // namespace reelkeep
