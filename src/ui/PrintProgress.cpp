#include "PrintProgress.h"

#include "ShellState.h"
#include "TzkPrinter.h"

#include <QCoreApplication>

namespace reelkeep {
namespace {
constexpr qint64 kShowAfterMs = 500;
} // namespace

PrintProgress::PrintProgress(const ShellState& shell, QWidget* parent, bool cancellable)
    : m_shell(shell), m_dialog(parent)
{
    m_dialog.setObjectName(QStringLiteral("fmPrintProgress"));
    m_dialog.setWindowTitle(shell.text("Printing", "Status"));
    m_dialog.setWindowModality(Qt::ApplicationModal);
    m_dialog.setRange(0, 0);
    m_dialog.setAutoReset(false);
    m_dialog.setAutoClose(false);
    m_dialog.setMinimumDuration(0);
    if (cancellable)
        m_dialog.setCancelButtonText(shell.text("Other", "Cancel"));
    else
        m_dialog.setCancelButton(nullptr);
    // QProgressDialog shows itself at construction time unless told otherwise.
    m_dialog.reset();
    m_dialog.hide();
    m_started.start();
}

void PrintProgress::watch(TzkPrinter& printer)
{
    printer.OnPageDone = [this](int page) { pageDone(page); };
}

void PrintProgress::pageDone(int page)
{
    if (m_started.elapsed() < kShowAfterMs)
        return;
    m_dialog.setLabelText(m_shell.text("Printing", "PagesDrawn").arg(page));
    if (!m_dialog.isVisible())
        m_dialog.show();
    // The dialog is modal: only its own Cancel button can be used meanwhile.
    QCoreApplication::processEvents();
    if (m_dialog.wasCanceled())
        throw PrintCancelled(m_shell.text("Printing", "Cancelled"));
}

} // namespace reelkeep
