#include "TfmProgress.h"

#include <QLabel>
#include <QProgressBar>
#include <QHBoxLayout>

namespace reelkeep {

TfmProgress::TfmProgress(QWidget* parent)
    : QWidget(parent), m_label(new QLabel(this)), m_bar(new QProgressBar(this))
{
    setObjectName(QStringLiteral("fmProgress"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_label);
    layout->addWidget(m_bar);
    m_bar->setRange(0, 100);
    m_bar->setTextVisible(false);
    m_bar->setFixedWidth(200);
    hide();
}

void TfmProgress::SetProgress(int percent)
{
    if (percent >= 99) {
        // Nothing of a finished load stays behind, not even hidden.
        m_label->clear();
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
