#include "InputRefusal.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

namespace reelkeep {
namespace {

bool isPersonsInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::InputMethod:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
        return true;
    default:
        return false;
    }
}

} // namespace

InputRefusal::InputRefusal(QWidget* widget) : m_widget(widget)
{
    QCoreApplication::instance()->installEventFilter(this);
}

InputRefusal::~InputRefusal()
{
    QCoreApplication::instance()->removeEventFilter(this);
}

bool InputRefusal::isInside(const QObject* watched) const
{
    if (!m_widget || !watched->isWidgetType())
        return false;
    // Windows of its own opened from inside the widget count as inside, as a disabled parent disables them.
    for (auto* widget = static_cast<const QWidget*>(watched); widget; widget = widget->parentWidget()) {
        if (widget == m_widget)
            return true;
    }
    return false;
}

bool InputRefusal::eventFilter(QObject* watched, QEvent* event)
{
    if (!isPersonsInput(event->type()) || !isInside(watched))
        return false;
    // Taken as handled: nothing passes it on to the windows around, and a key taken as the
    // widget's own reaches no shortcut, then comes as a key press and is dropped too.
    event->accept();
    return true;
}

} // namespace reelkeep
