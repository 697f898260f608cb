#include "PrintDialogs.h"

#include "TfmPrintPreview.h"

#include <QPrintDialog>
#include <algorithm>

namespace reelkeep {

bool SystemPrintDialogs::preview(TfmPrintPreview& preview)
{
    return preview.exec() == QDialog::Accepted;
}

bool SystemPrintDialogs::choosePrinter(QPrinter& printer, int pageCount, QWidget* owner)
{
    QPrintDialog dialog(&printer, owner);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, pageCount > 1);
    dialog.setMinMax(1, std::max(1, pageCount));
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace reelkeep
