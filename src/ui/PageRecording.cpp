#include "PageRecording.h"

#include "ReelkeepError.h"
#include "TzkPrinter.h"

namespace reelkeep {

void RecordPages(const PageDrawing& drawing, RecordedPages& recorded, QPromise<void>& promise, const QString& cancelledText)
{
    TzkPrinter out(recorded.pages, recorded.measurements);
    out.OnPageDone = [&promise, &cancelledText, &pages = recorded.pages](int page) {
        // A picture reads and checks all of itself the first time it is measured or played:
        // done here, on the worker, not by the preview on the GUI thread.
        if (!pages.empty())
            pages.back().boundingRect();
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
