#include "InterfaceLock.h"

namespace reelkeep {

InterfaceLock::InterfaceLock(std::initializer_list<QWidget*> widgets)
{
    for (QWidget* widget : widgets)
        if (widget && widget->isEnabled()) {
            widget->setEnabled(false);
            m_disabled.emplace_back(widget);
        }
}

InterfaceLock::~InterfaceLock()
{
    for (const QPointer<QWidget>& widget : m_disabled)
        if (widget)
            widget->setEnabled(true);
}

} // namespace reelkeep
