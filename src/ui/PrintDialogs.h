// The two modal steps of printing — the preview and the system's print dialog —
// behind one small interface, so that tests go through them without real dialogs.
#pragma once

class QPrinter;
class QWidget;

namespace reelkeep {

class TfmPrintPreview;

class PrintDialogs {
public:
    virtual ~PrintDialogs() = default;
    // Shows the preview until the person chooses Print (true) or closes it (false).
    virtual bool preview(TfmPrintPreview& preview) = 0;
    // Lets the person choose the printer or a file, the pages among pageCount and the
    // copies; false when cancelled.
    virtual bool choosePrinter(QPrinter& printer, int pageCount, QWidget* owner) = 0;
};

class SystemPrintDialogs : public PrintDialogs {
public:
    bool preview(TfmPrintPreview& preview) override;
    bool choosePrinter(QPrinter& printer, int pageCount, QWidget* owner) override;
};

} // namespace reelkeep
