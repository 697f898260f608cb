#include "PageRecording.h"

#include "ReelkeepError.h"
#include "TzkPrinter.h"

namespace reelkeep {

void RecordPages(const PageDrawing& drawing, RecordedPages& recorded, QPromise<void>& promise, const QString& cancelledText)
{
    TzkPrinter out(recorded.pages, recorded.measurements);
    out.OnPageDone = [&promise, &cancelledText](int page) {
        promise.setProgressValue(page);
        if (promise.isCanceled())
            throw PrintCancelled(cancelledText);
    };
    try {
        drawing(out);
    } catch (const ReelkeepError& error) {
        recorded.stopped = error.text();
    }
}

} // namespace reelkeep
