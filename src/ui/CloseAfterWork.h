// A list window closed while its long work (a save, file entry, an export) is under way:
// instead of waiting silently, the work's progress window comes up, and the window closes
// once the work has ended or stopped.
#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

namespace reelkeep {

class ListController;
class WindowWork;

class CloseAfterWork : public QObject {
    Q_OBJECT
public:
    enum class When {
        Ended,    // the close came during the work: close again when it ends, asking as usual
        Saved,    // the work is the save the close asked for: close only if it left nothing unsaved
    };

    CloseAfterWork(QWidget& window, WindowWork& work, const ListController& controller);

    // Shows the work's progress and closes the window when the work ends.
    void defer(When when);
    bool isPending() const { return m_pending; }

signals:
    // The work has ended; closed tells whether the window went with it.
    void ended(bool closed);

private:
    void workChanged(bool running);

    QWidget& m_window;
    QPointer<WindowWork> m_work;
    const ListController& m_controller;
    bool m_pending = false;
    When m_when = When::Ended;
};

} // namespace reelkeep
