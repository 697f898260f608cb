// While pages are drawn for a preview or a printout, a window counts them once the
// work takes more than a moment. Its Cancel button is offered only where stopping
// loses nothing (a preview, a file put in place only at the end): a printer would
// still be sent the pages drawn so far.
#pragma once

#include <QElapsedTimer>
#include <QProgressDialog>

namespace reelkeep {

class ShellState;
class TzkPrinter;

class PrintProgress {
public:
    PrintProgress(const ShellState& shell, QWidget* parent, bool cancellable);

    // Counts the printer's pages; once Cancel was pressed, the next page throws PrintCancelled.
    void watch(TzkPrinter& printer);

private:
    void pageDone(int page);

    const ShellState& m_shell;
    QProgressDialog m_dialog;
    QElapsedTimer m_started;
};

} // namespace reelkeep
