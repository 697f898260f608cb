// A page recorder: each page is drawn into a picture made against the printer's
// resolution and then played onto the printer page, so covers and lists draw in
// printer pixels whatever device finally receives them.
#pragma once

#include "ReelkeepError.h"
#include "TzkPrintTarget.h"

#include <QPainter>
#include <QPicture>
#include <functional>
#include <vector>

class QPrinter;

namespace reelkeep {

// Thrown from OnPageDone to stop a job the person cancelled.
class PrintCancelled : public ReelkeepError {
public:
    using ReelkeepError::ReelkeepError;
};

// Which of the drawn pages reach the device, and how many times: a page range (1-based,
// 0 for an open end) and copies, collated or page by page. Every page is still drawn.
struct PageSelection {
    int FirstPage = 0;
    int LastPage = 0;
    int Copies = 1;
    bool Collate = true;

    bool Includes(int page) const { return page >= FirstPage && (LastPage <= 0 || page <= LastPage); }
};

// The pages and copies chosen in the printer's dialog; copies the device makes itself are not repeated.
PageSelection ChosenPages(const QPrinter& printer);

class TzkPrinter {
public:
    explicit TzkPrinter(TzkPrintTarget& target);
    // Keeps every page drawn in recorded instead of playing it onto a device of those
    // measurements: drawing on a worker thread, for a device the GUI thread plays it onto.
    TzkPrinter(std::vector<QPicture>& recorded, const PrinterMeasurements& measurements);
    ~TzkPrinter();
    TzkPrinter(const TzkPrinter&) = delete;
    TzkPrinter& operator=(const TzkPrinter&) = delete;

    void BeginDoc();
    // Plays the recorded page onto the printer page, when selected, and starts a fresh recording.
    void EndPage();
    void NewPage();
    void EndDoc();
    // A whole document of pages recorded earlier, as if each had just been drawn.
    void PlayRecorded(const std::vector<QPicture>& pages);

    const PrinterMeasurements& Measurements() const { return m_measurements; }
    double DpiX() const { return m_measurements.DpiX; }
    double DpiY() const { return m_measurements.DpiY; }
    int PhysicalOffsetX() const { return m_measurements.PhysicalOffsetX; }
    int PhysicalOffsetY() const { return m_measurements.PhysicalOffsetY; }
    int UnprintableWidth() const { return m_measurements.UnprintableWidth; }
    int UnprintableHeight() const { return m_measurements.UnprintableHeight; }
    int PhysicalHeight() const { return m_measurements.PhysicalHeight; }

    QPicture Metafile;
    int PageNumber = 1;
    QPainter PageCanvas;
    bool ToFile = false;
    // Called with the page's number after each page is played onto the printer; may throw PrintCancelled.
    std::function<void(int page)> OnPageDone;
    PageSelection Selection;

private:
    // A finished page: kept when recording, else played as the selection asks.
    void take(const QPicture& page);
    // The picture on a page of the target of its own.
    void play(const QPicture& page);

    TzkPrintTarget* m_target = nullptr;
    std::vector<QPicture>* m_recorded = nullptr;
    PrinterMeasurements m_measurements;
    QPainter* m_printerCanvas = nullptr;
    int m_pagesPlayed = 0;
    // The selected pages, kept for the further collated copies.
    std::vector<QPicture> m_kept;
};

} // namespace reelkeep
