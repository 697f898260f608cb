#include "ToolBarRows.h"

#include <QBoxLayout>
#include <QResizeEvent>
#include <QToolBar>

namespace reelkeep {

ToolBarRows::ToolBarRows(QWidget* parent) : QWidget(parent), m_layout(new QBoxLayout(QBoxLayout::LeftToRight, this))
{
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    m_layout->addStretch(1);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

QToolBar* ToolBarRows::addBar()
{
    auto* bar = new QToolBar(this);
    bar->setFloatable(false);
    bar->setMovable(false);
    m_layout->insertWidget(m_layout->count() - 1, bar);
    m_bars.push_back(bar);
    return bar;
}

int ToolBarRows::rowWidth() const
{
    int width = 0;
    for (const QToolBar* bar : m_bars)
        width += bar->sizeHint().width();
    return width;
}

void ToolBarRows::resizeEvent(QResizeEvent* event)
{
    const QBoxLayout::Direction wanted = event->size().width() >= rowWidth() ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom;
    if (m_layout->direction() != wanted)
        m_layout->setDirection(wanted);
    QWidget::resizeEvent(event);
}

} // namespace reelkeep
