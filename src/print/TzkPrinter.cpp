#include "TzkPrinter.h"

namespace reelkeep {

TzkPrinter::TzkPrinter(TzkPrintTarget& target) : m_target(target), m_measurements(target.Measurements())
{
    PageCanvas.begin(&Metafile);
}

TzkPrinter::~TzkPrinter()
{
    if (PageCanvas.isActive())
        PageCanvas.end();
}

void TzkPrinter::BeginDoc()
{
    m_printerCanvas = &m_target.BeginDoc();
}

void TzkPrinter::EndPage()
{
    PageCanvas.end();
    if (m_printerCanvas) {
        // A picture replays scaled by the device's resolution over its own; the
        // recording is already in device pixels, so that scaling is undone.
        m_printerCanvas->save();
        m_printerCanvas->scale(Metafile.logicalDpiX() / DpiX(), Metafile.logicalDpiY() / DpiY());
        m_printerCanvas->drawPicture(0, 0, Metafile);
        m_printerCanvas->restore();
    }
    Metafile = QPicture();
    PageCanvas.begin(&Metafile);
    if (OnPageDone)
        OnPageDone(PageNumber);
}

void TzkPrinter::NewPage()
{
    m_target.NewPage();
    ++PageNumber;
}

void TzkPrinter::EndDoc()
{
    m_target.EndDoc();
    m_printerCanvas = nullptr;
}

} // namespace reelkeep
