#include "WindowWork.h"

#include "InputRefusal.h"
#include "LongWorkPool.h"

#include <QTimer>
#include <QtConcurrent/QtConcurrentRun>

namespace reelkeep {
namespace {
// Work shorter than this goes by without a progress window.
constexpr int kProgressAfterMs = 500;
} // namespace

WindowWork::WindowWork(QWidget* locked, QString cancelText, QObject* parent)
    : QObject(parent), m_locked(locked), m_cancelText(std::move(cancelText)), m_progressAfterMs(kProgressAfterMs)
{
    // A finish already handled by finishNow is not taken for the next job's.
    connect(&m_watcher, &QFutureWatcherBase::finished, this, [this] {
        if (m_watcher.isFinished())
            finished();
    });
    connect(&m_watcher, &QFutureWatcherBase::progressValueChanged, this, &WindowWork::updateProgress);
    connect(&m_watcher, &QFutureWatcherBase::progressRangeChanged, this, &WindowWork::updateProgress);
}

WindowWork::~WindowWork()
{
    // A job still running must not outlive what its done refers to.
    if (isRunning()) {
        m_watcher.disconnect(this);
        m_watcher.cancel();
        m_watcher.waitForFinished();
    }
}

bool WindowWork::start(const QString& caption, Job job, std::function<void()> done, Label label)
{
    if (isRunning())
        return false;
    m_caption = caption;
    m_cancellable = true;
    m_cancelAsked = false;
    m_label = std::move(label);
    m_done = std::move(done);
    // Greying the controls, and bringing them back, each paints the whole window again:
    // work that ends in a moment only refuses input meanwhile.
    m_refusal = std::make_unique<InputRefusal>(m_locked);
    emit runningChanged(true);
    m_watcher.setFuture(QtConcurrent::run(&LongWorkPool(), [job = std::move(job)](QPromise<void>& promise) { job(promise); }));
    QTimer::singleShot(m_progressAfterMs, this, [this, job = ++m_jobs] {
        // A close may have brought the progress up already.
        if (isRunning() && m_jobs == job && !m_progress)
            showProgress();
    });
    return true;
}

bool WindowWork::runToEnd(const QString& caption, Job job, std::function<void()> done)
{
    if (!start(caption, std::move(job), std::move(done)))
        return false;
    m_cancellable = false;
    return true;
}

void WindowWork::showProgress()
{
    // Work that goes on this long greys the controls it locks.
    grey();
    // Not modal: the other windows, and closing this one, stay in reach.
    m_progress = new QProgressDialog(m_locked ? m_locked->window() : nullptr);
    m_progress->setObjectName(QStringLiteral("fmWorkProgress"));
    m_progress->setWindowTitle(m_caption);
    if (m_cancellable)
        m_progress->setCancelButtonText(m_cancelText);
    else
        m_progress->setCancelButton(nullptr);
    m_progress->setAutoReset(false);
    m_progress->setAutoClose(false);
    m_progress->setMinimumWidth(360);
    // Cancel, Esc and the close button all stop the work.
    connect(m_progress, &QProgressDialog::canceled, this, &WindowWork::cancel);
    connect(m_progress, &QDialog::rejected, this, &WindowWork::cancel);
    updateProgress();
    m_progress->show();
}

void WindowWork::updateProgress()
{
    if (!m_progress)
        return;
    const int total = m_watcher.progressMaximum();
    const int done = m_watcher.progressValue();
    if (m_progress->maximum() != total)
        m_progress->setRange(0, total);
    // Not modal, so setValue lets no events run.
    if (total > 0)
        m_progress->setValue(done);
    m_progress->setLabelText(m_label ? m_label(done, total) : m_caption);
}

void WindowWork::cancel()
{
    if (!m_cancellable || !isRunning())
        return;
    m_cancelAsked = true;
    m_watcher.cancel();
    emit cancelRequested();
}

void WindowWork::showProgressNow()
{
    if (isRunning() && !m_progress)
        showProgress();
}

void WindowWork::finishNow()
{
    while (isRunning()) {
        cancel();
        m_watcher.waitForFinished();
        finished();
    }
}

void WindowWork::abandon()
{
    if (!isRunning())
        return;
    m_watcher.waitForFinished();
    m_done = nullptr;
    unlock();
    delete m_progress;
}

void WindowWork::grey()
{
    if (!m_locked)
        return;
    // The window's own focus: while another window is active, what it gets back when activated.
    QWidget* focused = m_locked->window()->focusWidget();
    m_focusBefore = focused && m_locked->isAncestorOf(focused) ? focused : nullptr;
    m_locked->setEnabled(false);
    m_focusWhileGreyed = m_locked->window()->focusWidget();
}

void WindowWork::unlock()
{
    m_refusal.reset();
    if (!m_locked)
        return;
    m_locked->setEnabled(true);
    // Greying sent the focus away (and the progress window took it); it comes back unless
    // the person has put it elsewhere meanwhile.
    const QWidget* focused = m_locked->window()->focusWidget();
    if (m_focusBefore && (!focused || focused == m_focusWhileGreyed))
        m_focusBefore->setFocus(Qt::OtherFocusReason);
    m_focusBefore = nullptr;
}

void WindowWork::finished()
{
    // Run once, whichever of the watcher and a close comes first.
    std::function<void()> done = std::exchange(m_done, nullptr);
    if (!done)
        return;
    delete m_progress;
    unlock();
    done();
    // A done that started the next step leaves the work running.
    if (!isRunning())
        emit runningChanged(false);
}

} // namespace reelkeep
