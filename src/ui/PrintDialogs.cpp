#include "PrintDialogs.h"

#include "TfmPrintPreview.h"

#include <QPrintDialog>

namespace reelkeep {

bool SystemPrintDialogs::preview(TfmPrintPreview& preview)
{
    return preview.exec() == QDialog::Accepted;
}

bool SystemPrintDialogs::choosePrinter(QPrinter& printer, QWidget* owner)
{
    QPrintDialog dialog(&printer, owner);
    // Every page is always printed, so no page range is offered.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace reelkeep
