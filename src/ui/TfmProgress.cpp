#include "TfmProgress.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace reelkeep {

TfmProgress::TfmProgress(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint), m_label(new QLabel(this)), m_bar(new QProgressBar(this))
{
    setObjectName(QStringLiteral("fmProgress"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setSpacing(2);
    layout->addWidget(m_label);
    layout->addWidget(m_bar);
    m_bar->setRange(0, 100);
    m_bar->setTextVisible(false);
    setFixedWidth(353);
}

void TfmProgress::centreOn(const QWidget* widget)
{
    const QRect area(widget->mapToGlobal(QPoint(0, 0)), widget->size());
    adjustSize();
    move(area.center() - QPoint(width() / 2, height() / 2));
}

void TfmProgress::SetProgress(int percent)
{
    if (percent >= 99) {
        hide();
        return;
    }
    m_bar->setValue(percent);
    show();
}

void TfmProgress::setText(const QString& text)
{
    m_label->setText(text);
}

} // namespace reelkeep
