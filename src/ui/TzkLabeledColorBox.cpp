#include "TzkLabeledColorBox.h"

#include "TzkBtnEdit.h"

#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

namespace reelkeep {

TzkLabeledColorBox::TzkLabeledColorBox(QWidget* parent) : QWidget(parent), m_label(new QLabel), m_box(new QComboBox)
{
    setObjectName(QStringLiteral("cbColor"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    layout->addWidget(m_label);
    layout->addWidget(m_box);
    m_box->setMaxVisibleItems(16);
    for (const QString& name : QColor::colorNames())
        addColour(QColor::fromString(name), name);
    m_label->installEventFilter(this);
    connect(m_box, &QComboBox::activated, this,
            [this](int index) { emit colourPicked(m_box->itemData(index).value<QColor>()); });
}

int TzkLabeledColorBox::addColour(const QColor& colour, const QString& name)
{
    QPixmap swatch(14, 14);
    swatch.fill(colour);
    m_box->addItem(QIcon(swatch), name, colour);
    return m_box->count() - 1;
}

void TzkLabeledColorBox::setCaption(const QString& text)
{
    m_label->setText(text);
}

void TzkLabeledColorBox::setColour(const QColor& colour)
{
    int index = m_box->findData(colour);
    if (index < 0) {
        // One entry holds the colour without a name, so showing records never grows the list.
        if (m_unnamed < 0)
            m_unnamed = addColour(colour, QString());
        QPixmap swatch(14, 14);
        swatch.fill(colour);
        m_box->setItemIcon(m_unnamed, QIcon(swatch));
        m_box->setItemText(m_unnamed, colour.name().toUpper());
        m_box->setItemData(m_unnamed, colour);
        index = m_unnamed;
    }
    m_box->setCurrentIndex(index);
}

QColor TzkLabeledColorBox::colour() const
{
    return m_box->currentData().value<QColor>();
}

bool TzkLabeledColorBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_label && MoveByShiftDrag(this, event, m_dragOffset, m_dragging)) {
        if (event->type() == QEvent::MouseButtonRelease)
            emit moved(pos());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace reelkeep
