// The long work of one list window, run on a worker thread: while it runs the window's
// controls refuse input (other windows stay usable); once it has taken half a second they
// are greyed and a progress window with Cancel comes up; its end is handed back on the
// GUI thread.
#pragma once

#include <QFutureWatcher>
#include <QObject>
#include <QPointer>
#include <QProgressDialog>
#include <QPromise>
#include <functional>
#include <memory>

class QWidget;

namespace reelkeep {

class InputRefusal;

class WindowWork : public QObject {
    Q_OBJECT
public:
    // What the progress window says at done out of total (total 0 while unknown).
    using Label = std::function<QString(int done, int total)>;
    // A job is handed a promise to report progress through and to ask whether it is cancelled.
    using Job = std::function<void(QPromise<void>&)>;

    // locked: the controls locked meanwhile; the progress window stands over it.
    WindowWork(QWidget* locked, QString cancelText, QObject* parent = nullptr);
    ~WindowWork() override;

    bool isRunning() const { return static_cast<bool>(m_done); }
    // Runs job on a worker thread (one job at a time: false while another runs); done runs
    // on this thread once the job has returned, whether it finished or was cancelled.
    bool start(const QString& caption, Job job, std::function<void()> done, Label label = {});
    // Likewise for work that must not stop halfway (a save): no Cancel, and a close waits for its end.
    bool runToEnd(const QString& caption, Job job, std::function<void()> done);
    bool isCancellable() const { return m_cancellable; }
    // Asks the job to stop at its next step (unless it runs to its end).
    void cancel();
    // Whether Cancel was asked for the latest job, even after the job itself had returned:
    // a done that would show a result shows nothing to a person who cancelled.
    bool wasCancelled() const { return m_cancelAsked; }
    // Brings the progress window up now, as for a person who waits for the work to end.
    void showProgressNow();
    // Cancels the job, waits for it to return and runs its done, and so on while a done
    // starts the next step of the work: for a window that closes.
    void finishNow();
    // Waits for the job to return without running its done: for the owner of what the job reads, going.
    void abandon();
    QProgressDialog* progressWindow() const { return m_progress; }
    // How long work goes before its progress window comes up (tests want it at once).
    void setProgressAfter(int ms) { m_progressAfterMs = ms; }

signals:
    void runningChanged(bool running);
    // Cancel was asked for: work that waits on something outside (a helper process) stops it.
    void cancelRequested();

private:
    void showProgress();
    void updateProgress();
    void finished();
    void grey();
    void unlock();

    QPointer<QWidget> m_locked;
    // Refuses input to the controls while the work runs, before they are greyed and after.
    std::unique_ptr<InputRefusal> m_refusal;
    // Where the focus was before greying, and where greying sent it.
    QPointer<QWidget> m_focusBefore;
    QPointer<QWidget> m_focusWhileGreyed;
    QString m_cancelText;
    QFutureWatcher<void> m_watcher;
    QPointer<QProgressDialog> m_progress;
    QString m_caption;
    Label m_label;
    std::function<void()> m_done;
    bool m_cancellable = true;
    bool m_cancelAsked = false;
    // Jobs started so far: a progress window is due to the job that is still the latest.
    int m_jobs = 0;
    int m_progressAfterMs;
};

} // namespace reelkeep
