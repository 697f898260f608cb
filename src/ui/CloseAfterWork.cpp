#include "CloseAfterWork.h"

#include "ListController.h"
#include "WindowWork.h"

#include <QTimer>
#include <QWidget>

namespace reelkeep {

CloseAfterWork::CloseAfterWork(QWidget& window, WindowWork& work, const ListController& controller)
    : QObject(&window), m_window(window), m_work(&work), m_controller(controller)
{
    connect(&work, &WindowWork::runningChanged, this, &CloseAfterWork::workChanged);
}

void CloseAfterWork::defer(When when)
{
    m_pending = true;
    m_when = when;
    m_work->showProgressNow();
}

void CloseAfterWork::workChanged(bool running)
{
    if (running || !m_pending)
        return;
    m_pending = false;
    // Closed from the event loop, not from inside the work's end.
    QTimer::singleShot(0, this, [this, when = m_when] {
        const bool closed = (when == When::Ended || !m_controller.isModified()) && m_window.close();
        emit ended(closed);
    });
}

} // namespace reelkeep
