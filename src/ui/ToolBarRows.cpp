#include "ToolBarRows.h"

#include <QBoxLayout>
#include <QLayoutItem>
#include <QResizeEvent>
#include <QToolBar>

namespace reelkeep {

ToolBarRows::ToolBarRows(QWidget* parent) : QWidget(parent), m_layout(new QVBoxLayout(this))
{
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

QToolBar* ToolBarRows::addBar()
{
    auto* bar = new QToolBar(this);
    bar->setFloatable(false);
    bar->setMovable(false);
    m_bars.push_back(bar);
    m_rowOf.clear();
    arrange(width());
    return bar;
}

void ToolBarRows::arrange(int width)
{
    std::vector<int> rowOf;
    int row = 0;
    int used = 0;
    for (const QToolBar* bar : m_bars) {
        const int needed = bar->sizeHint().width();
        if (used > 0 && used + needed > width) {
            ++row;
            used = 0;
        }
        used += needed;
        rowOf.push_back(row);
    }
    if (rowOf == m_rowOf)
        return;
    m_rowOf = rowOf;
    while (QLayoutItem* item = m_layout->takeAt(0))
        delete item->layout();
    QHBoxLayout* line = nullptr;
    for (size_t i = 0; i < m_bars.size(); ++i) {
        if (!line || rowOf[i] != rowOf[i - 1]) {
            if (line)
                line->addStretch(1);
            line = new QHBoxLayout;
            line->setSpacing(0);
            m_layout->addLayout(line);
        }
        line->addWidget(m_bars[i]);
    }
    if (line)
        line->addStretch(1);
}

void ToolBarRows::resizeEvent(QResizeEvent* event)
{
    arrange(event->size().width());
    QWidget::resizeEvent(event);
}

} // namespace reelkeep
