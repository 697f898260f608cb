#include "WalkProgress.h"

#include "ShellState.h"

#include <QCoreApplication>
#include <QProgressBar>
#include <utility>

namespace reelkeep {
namespace {
// Often enough for the window to repaint and answer Cancel at once, rarely enough to cost nothing.
constexpr qint64 kPollEveryMs = 10;
} // namespace

WalkProgress::WalkProgress(const ShellState& shell, const QString& caption, QWidget* parent)
    : QProgressDialog(parent), m_shell(shell), m_bar(new QProgressBar)
{
    setObjectName(QStringLiteral("fmWalkProgress"));
    setWindowTitle(caption);
    setLabelText(shell.text("FileEntry", "Searching"));
    setCancelButtonText(shell.text("Other", "Cancel"));
    // A title and a close button (which cancels), nothing to minimise or maximise.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setAutoReset(false);
    setAutoClose(false);
    setMinimumDuration(0);
    setMinimumWidth(360);
    setBar(m_bar);
    // Counting up to an unknown number of files until the folders are listed.
    m_bar->setRange(0, 0);
    connect(this, &QProgressDialog::canceled, this, &WalkProgress::stop);
    // Esc rejects the dialog without emitting canceled.
    connect(this, &QDialog::rejected, this, &WalkProgress::stop);
    // Painted at the first poll or count: no event runs before the caller is ready for it.
    show();
}

void WalkProgress::setCount(int done, int found)
{
    // The bar is set directly: the dialog's own setValue would let events run at every file.
    if (m_bar->maximum() != found)
        m_bar->setRange(0, found);
    m_bar->setValue(done);
    if (!m_stopped)
        setLabelText(m_shell.text("FileEntry", "FilesDone").arg(done).arg(found));
    // Each file's count is shown, and Cancel seen, whatever the pace of the files.
    QCoreApplication::processEvents();
    m_sincePoll.start();
}

void WalkProgress::stop()
{
    if (std::exchange(m_stopped, true))
        return;
    setLabelText(m_shell.text("FileEntry", "Stopping"));
}

bool WalkProgress::poll()
{
    if (!m_sincePoll.isValid() || m_sincePoll.elapsed() >= kPollEveryMs) {
        QCoreApplication::processEvents();
        m_sincePoll.start();
    }
    return m_stopped;
}

} // namespace reelkeep
