// Where printed pages go: a printer (the system's print service or a PDF file) or
// a series of images. The painter's origin is the top-left corner of the
// printable area, as on a printer page.
#pragma once

#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QString>
#include <vector>

class QPrinter;

namespace reelkeep {

// Measurements of the page, in device pixels.
struct PrinterMeasurements {
    double DpiX = 0, DpiY = 0;
    int PhysicalWidth = 0, PhysicalHeight = 0;
    int PhysicalOffsetX = 0, PhysicalOffsetY = 0; // unprintable margins at the left and top
    int UnprintableWidth = 0, UnprintableHeight = 0;

    bool operator==(const PrinterMeasurements&) const = default;
};

class TzkPrintTarget {
public:
    virtual ~TzkPrintTarget() = default;
    virtual PrinterMeasurements Measurements() const = 0;
    // Starts the job and returns the painter of its first page; throws FileError when the device refuses.
    virtual QPainter& BeginDoc() = 0;
    virtual void NewPage() = 0;
    virtual void EndDoc() = 0;
};

// The measurements of a page of that layout at that resolution (dots per inch).
PrinterMeasurements PageMeasurements(const QPageLayout& layout, int resolution);

// The margin, in millimetres, that stands for a printer's unprintable edge where a
// device (a PDF file) has none.
constexpr double kPageEdgeMm = 5;

// Widens the printer's margins to at least kPageEdgeMm.
void KeepPageEdge(QPrinter& printer);

// Sets the printer to write a PDF file: A4 at 600 dots per inch, with kPageEdgeMm margins.
void PreparePdfPrinter(QPrinter& printer, const QString& fileName,
                       QPageLayout::Orientation orientation = QPageLayout::Portrait);

class QPrinterTarget : public TzkPrintTarget {
public:
    explicit QPrinterTarget(QPrinter& printer) : m_printer(printer) {}
    PrinterMeasurements Measurements() const override;
    QPainter& BeginDoc() override;
    void NewPage() override;
    void EndDoc() override;

private:
    QPrinter& m_printer;
    QPainter m_painter;
};

// Pages drawn into white images of a given paper size, resolution and margins.
class ImagePrintTarget : public TzkPrintTarget {
public:
    ImagePrintTarget(double widthMm, double heightMm, int dpi, double marginMm);
    PrinterMeasurements Measurements() const override { return m_measurements; }
    QPainter& BeginDoc() override;
    void NewPage() override;
    void EndDoc() override;

    const std::vector<QImage>& Pages() const { return m_pages; }

private:
    void beginPage();

    PrinterMeasurements m_measurements;
    std::vector<QImage> m_pages;
    QPainter m_painter;
};

} // namespace reelkeep
