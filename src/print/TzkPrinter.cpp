#include "TzkPrinter.h"

#include <QPrinter>
#include <algorithm>

namespace reelkeep {

PageSelection ChosenPages(const QPrinter& printer)
{
    PageSelection chosen;
    if (printer.printRange() == QPrinter::PageRange) {
        chosen.FirstPage = printer.fromPage();
        chosen.LastPage = printer.toPage();
    }
    chosen.Copies = printer.supportsMultipleCopies() ? 1 : std::max(1, printer.copyCount());
    chosen.Collate = printer.collateCopies();
    return chosen;
}

TzkPrinter::TzkPrinter(TzkPrintTarget& target) : m_target(&target), m_measurements(target.Measurements())
{
    PageCanvas.begin(&Metafile);
}

TzkPrinter::TzkPrinter(std::vector<QPicture>& recorded, const PrinterMeasurements& measurements)
    : m_recorded(&recorded), m_measurements(measurements)
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
    if (m_target)
        m_printerCanvas = &m_target->BeginDoc();
}

void TzkPrinter::play(const QPicture& page)
{
    if (!m_printerCanvas)
        return;
    // The target's first page comes with the document; every further one is asked for.
    if (m_pagesPlayed++ > 0)
        m_target->NewPage();
    // A picture replays scaled by the device's resolution over its own; the
    // recording is already in device pixels, so that scaling is undone.
    m_printerCanvas->save();
    m_printerCanvas->scale(page.logicalDpiX() / DpiX(), page.logicalDpiY() / DpiY());
    m_printerCanvas->drawPicture(0, 0, page);
    m_printerCanvas->restore();
}

void TzkPrinter::take(const QPicture& page)
{
    if (m_recorded) {
        m_recorded->push_back(page);
        return;
    }
    if (Selection.Includes(PageNumber)) {
        const int copies = std::max(1, Selection.Copies);
        for (int copy = 0; copy < (Selection.Collate ? 1 : copies); ++copy)
            play(page);
        if (Selection.Collate && copies > 1)
            m_kept.push_back(page);
    }
}

void TzkPrinter::EndPage()
{
    PageCanvas.end();
    take(Metafile);
    Metafile = QPicture();
    PageCanvas.begin(&Metafile);
    if (OnPageDone)
        OnPageDone(PageNumber);
}

void TzkPrinter::PlayRecorded(const std::vector<QPicture>& pages)
{
    BeginDoc();
    for (const QPicture& page : pages) {
        take(page);
        if (OnPageDone)
            OnPageDone(PageNumber);
        NewPage();
    }
    EndDoc();
}

void TzkPrinter::NewPage()
{
    ++PageNumber;
}

void TzkPrinter::EndDoc()
{
    for (int copy = 1; copy < Selection.Copies; ++copy)
        for (const QPicture& page : m_kept)
            play(page);
    m_kept.clear();
    if (m_target)
        m_target->EndDoc();
    m_printerCanvas = nullptr;
}

} // namespace reelkeep
