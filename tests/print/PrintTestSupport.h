// Helpers that read a rendered page the way a reader of the printout would.
#pragma once

#include "TzkPrinter.h"
#include "ZKCover.h"

#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QRect>
#include <QStringList>
#include <functional>

namespace reelkeep::test {

inline bool Dark(const QImage& image, int x, int y)
{
    return x >= 0 && y >= 0 && x < image.width() && y < image.height()
           && qGray(reinterpret_cast<const QRgb*>(image.constScanLine(y))[x]) < 128;
}

// The bounding box of dark pixels inside the area (the whole page by default).
inline QRect InkBox(const QImage& image, QRect area = {})
{
    if (area.isNull())
        area = image.rect();
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (Dark(image, x, y))
                box |= QRect(x, y, 1, 1);
    return box;
}

// Dark pixels across a vertical stroke near (x, y), or down a horizontal one when down is set.
inline int StrokeWidth(const QImage& image, int x, int y, bool down = false, int reach = 20)
{
    int count = 0;
    for (int i = -reach; i <= reach; ++i)
        count += (down ? Dark(image, x, y + i) : Dark(image, x + i, y)) ? 1 : 0;
    return count;
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

inline ZKText& AddText(ZKCover& cover, float x, float y, float width, float height, const QString& text)
{
    ZKText& shape = cover.AddShape<ZKText>();
    shape.X = x;
    shape.Y = y;
    shape.Width = width;
    shape.Height = height;
    shape.Text = text;
    return shape;
}

// Prints into a PDF at 300 dpi and returns the text of its pages.
inline QStringList PrintPdfTexts(const QString& pdf, const std::function<void(TzkPrinter&)>& print)
{
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setResolution(300);
        printer.setOutputFileName(pdf);
        QPrinterTarget target(printer);
        TzkPrinter out(target);
        print(out);
    }
    return PdfPageTexts(pdf);
}

} // namespace reelkeep::test
