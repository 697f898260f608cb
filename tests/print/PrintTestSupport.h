// Helpers that read a rendered page the way a reader of the printout would.
#pragma once

#include <QImage>
#include <QProcess>
#include <QRect>
#include <QStringList>

namespace reelkeep::test {

inline bool Dark(const QImage& image, int x, int y)
{
    return x >= 0 && y >= 0 && x < image.width() && y < image.height()
           && qGray(reinterpret_cast<const QRgb*>(image.constScanLine(y))[x]) < 128;
}

// The bounding box of dark pixels inside the area.
inline QRect InkBox(const QImage& image, const QRect& area)
{
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (Dark(image, x, y))
                box |= QRect(x, y, 1, 1);
    return box;
}

// Length of the dark run across (horizontal) a vertical stroke near x on row y.
inline int StrokeWidthAcross(const QImage& image, int x, int y, int reach = 20)
{
    int count = 0;
    for (int i = x - reach; i <= x + reach; ++i)
        count += Dark(image, i, y) ? 1 : 0;
    return count;
}

// Length of the dark run down (vertical) a horizontal stroke near y in column x.
inline int StrokeWidthDown(const QImage& image, int x, int y, int reach = 20)
{
    int count = 0;
    for (int i = y - reach; i <= y + reach; ++i)
        count += Dark(image, x, i) ? 1 : 0;
    return count;
}

inline bool Blank(const QImage& image)
{
    return InkBox(image, image.rect()).isNull();
}

// The text of each page of a PDF file, as pdftotext lays it out.
inline QStringList PdfPageTexts(const QString& pdf)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    process.waitForFinished(60000);
    QStringList pages = QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.back().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

} // namespace reelkeep::test
