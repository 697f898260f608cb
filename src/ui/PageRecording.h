// Pages drawn on a worker thread into pictures, for the GUI thread (a preview) or
// the same worker (a printout) to play onto the device measured at the start.
#pragma once

#include "Message.h"
#include "TzkPrintTarget.h"

#include <QPicture>
#include <QPromise>
#include <QString>
#include <functional>
#include <vector>

namespace reelkeep {

class TzkPrinter;

// A printout's drawing: covers or a list, onto whatever the printer records or plays.
using PageDrawing = std::function<void(TzkPrinter&)>;

struct RecordedPages {
    PrinterMeasurements measurements;
    std::vector<QPicture> pages;
    // Why the drawing stopped before its end (an error, or cancelledText); empty when it ended well.
    Message stopped;
};

// Draws every page into recorded (for recorded.measurements), telling the pages done through
// promise; once promise is cancelled the drawing stops after its page, as cancelledText says.
void RecordPages(const PageDrawing& drawing, RecordedPages& recorded, QPromise<void>& promise, const QString& cancelledText);

} // namespace reelkeep
