#include "TzkPrintTarget.h"

#include "ReelkeepError.h"
#include "TzkPrintOptions.h"

#include <QPageSize>
#include <QPrinter>
#include <algorithm>

namespace reelkeep {

PrinterMeasurements PageMeasurements(const QPageLayout& layout, int resolution)
{
    const QRect full = layout.fullRectPixels(resolution);
    const QRect paint = layout.paintRectPixels(resolution);
    PrinterMeasurements m;
    m.DpiX = m.DpiY = resolution;
    m.PhysicalWidth = full.width();
    m.PhysicalHeight = full.height();
    m.PhysicalOffsetX = paint.left() - full.left();
    m.PhysicalOffsetY = paint.top() - full.top();
    m.UnprintableWidth = full.width() - paint.width();
    m.UnprintableHeight = full.height() - paint.height();
    return m;
}

void KeepPageEdge(QPrinter& printer)
{
    const QMarginsF margins = printer.pageLayout().margins(QPageLayout::Millimeter);
    printer.setPageMargins({std::max(margins.left(), kPageEdgeMm), std::max(margins.top(), kPageEdgeMm),
                            std::max(margins.right(), kPageEdgeMm), std::max(margins.bottom(), kPageEdgeMm)},
                           QPageLayout::Millimeter);
}

void PreparePdfPrinter(QPrinter& printer, const QString& fileName, QPageLayout::Orientation orientation)
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(fileName);
    printer.setResolution(600);
    printer.setFullPage(false);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), orientation, QMarginsF(kPageEdgeMm, kPageEdgeMm, kPageEdgeMm, kPageEdgeMm), QPageLayout::Millimeter));
}

PrinterMeasurements QPrinterTarget::Measurements() const
{
    PrinterMeasurements m = PageMeasurements(m_printer.pageLayout(), m_printer.resolution());
    m.DpiX = m_printer.logicalDpiX();
    m.DpiY = m_printer.logicalDpiY();
    return m;
}

QPainter& QPrinterTarget::BeginDoc()
{
    if (!m_painter.begin(&m_printer)) {
        const QString where = m_printer.outputFileName().isEmpty() ? m_printer.printerName() : m_printer.outputFileName();
        throw FileError(Message("CannotStartPrinting").arg(where));
    }
    return m_painter;
}

void QPrinterTarget::NewPage()
{
    m_printer.newPage();
}

void QPrinterTarget::EndDoc()
{
    m_painter.end();
}

ImagePrintTarget::ImagePrintTarget(double widthMm, double heightMm, int dpi, double marginMm)
{
    const double perMm = dpi / 25.4;
    m_measurements.DpiX = m_measurements.DpiY = dpi;
    m_measurements.PhysicalWidth = Nearest(widthMm * perMm);
    m_measurements.PhysicalHeight = Nearest(heightMm * perMm);
    m_measurements.PhysicalOffsetX = m_measurements.PhysicalOffsetY = Nearest(marginMm * perMm);
    m_measurements.UnprintableWidth = m_measurements.UnprintableHeight = 2 * Nearest(marginMm * perMm);
}

QPainter& ImagePrintTarget::BeginDoc()
{
    m_pages.clear();
    beginPage();
    return m_painter;
}

void ImagePrintTarget::NewPage()
{
    m_painter.end();
    beginPage();
}

void ImagePrintTarget::EndDoc()
{
    m_painter.end();
}

void ImagePrintTarget::beginPage()
{
    const PrinterMeasurements& m = m_measurements;
    QImage page(m.PhysicalWidth, m.PhysicalHeight, QImage::Format_RGB32);
    page.fill(Qt::white);
    const int dotsPerMetre = Nearest(m.DpiX / 0.0254);
    page.setDotsPerMeterX(dotsPerMetre);
    page.setDotsPerMeterY(dotsPerMetre);
    m_pages.push_back(std::move(page));
    m_painter.begin(&m_pages.back());
    m_painter.translate(m.PhysicalOffsetX, m.PhysicalOffsetY);
}

} // namespace reelkeep
