// The window shown while chosen files or a folder are entered: the files done out of
// those found, and Cancel (the button, Esc or closing it); not modal, the caller
// disables what must wait. Entry runs on the GUI
// thread and asks poll() between steps, which lets pending events run and says
// whether to stop.
#pragma once

#include <QElapsedTimer>
#include <QProgressDialog>

class QProgressBar;

namespace reelkeep {

class ShellState;

class WalkProgress : public QProgressDialog {
    Q_OBJECT
public:
    WalkProgress(const ShellState& shell, const QString& caption, QWidget* parent);

    // done of found files entered.
    void setCount(int done, int found);
    // Lets pending events run (at most every few milliseconds); true once the walk is to stop.
    bool poll();
    // Stops the walk at its next step, as Cancel does, and says so.
    void stop();

private:
    const ShellState& m_shell;
    QProgressBar* m_bar; // owned by the dialog
    QElapsedTimer m_sincePoll;
    bool m_stopped = false;
};

} // namespace reelkeep
