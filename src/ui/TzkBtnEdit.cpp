#include "TzkBtnEdit.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace reelkeep {

TzkBtnEdit::TzkBtnEdit(int column, QWidget* parent)
    : QWidget(parent), m_column(column), m_label(new QLabel), m_edit(new QLineEdit), m_button(new QToolButton)
{
    setObjectName(QStringLiteral("edColumn%1").arg(column));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    layout->addWidget(m_label);
    auto* line = new QHBoxLayout;
    line->setContentsMargins(0, 0, 0, 0);
    line->setSpacing(1);
    line->addWidget(m_edit);
    line->addWidget(m_button);
    line->addStretch(1);
    layout->addLayout(line);
    m_edit->setProperty("column", column);
    m_button->setVisible(false);
    m_button->setFocusPolicy(Qt::NoFocus);
    m_label->setBuddy(m_edit);
    m_label->installEventFilter(this);
    connect(m_button, &QToolButton::clicked, this, [this] { emit buttonClicked(m_column); });
}

void TzkBtnEdit::setCaption(const QString& text)
{
    m_caption = text;
    m_label->setToolTip(text);
    // The label may be drawn shortened: the edit is named by the whole caption.
    m_edit->setAccessibleName(text);
    fitWidth();
}

void TzkBtnEdit::setButton(const QString& caption, const QString& hint)
{
    m_button->setText(caption);
    m_button->setToolTip(hint);
    m_button->setAccessibleName(hint);
    m_button->setVisible(!caption.isEmpty());
    fitWidth();
}

void TzkBtnEdit::setEditWidth(int width, int room)
{
    m_editWidth = width;
    m_room = room;
    fitWidth();
}

int TzkBtnEdit::buttonWidth() const
{
    return m_button->isVisibleTo(this) ? m_edit->sizeHint().height() : 0;
}

int TzkBtnEdit::leastWidth() const
{
    // The frame and the edit's own inner margin of two pixels on each side.
    const int frame = m_edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, m_edit);
    return m_edit->fontMetrics().horizontalAdvance(m_leastText) + 2 * frame + 6 + buttonWidth();
}

int TzkBtnEdit::boxWidth() const
{
    return std::max(m_editWidth, leastWidth());
}

void TzkBtnEdit::setLeastText(const QString& text)
{
    m_leastText = text;
    fitWidth();
}

int TzkBtnEdit::captionWidth() const
{
    return m_label->fontMetrics().horizontalAdvance(m_caption) + 2;
}

void TzkBtnEdit::fitWidth()
{
    // The stored width holds the edit and its button, so neighbours never overlap; the
    // label may use the free room up to the next control and is shortened beyond it.
    const int button = buttonWidth();
    m_button->setFixedSize(button, m_edit->sizeHint().height());
    m_edit->setFixedWidth(boxWidth() - button);
    const int box = boxWidth();
    const int width = std::max(box, std::min(captionWidth(), m_room));
    m_label->setText(m_label->fontMetrics().elidedText(m_caption, Qt::ElideRight, width));
    resize(width, sizeHint().height());
}

bool TzkBtnEdit::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_label && MoveByShiftDrag(this, event, m_dragOffset, m_dragging)) {
        if (event->type() == QEvent::MouseButtonRelease)
            emit moved(m_column, pos());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

bool MoveByShiftDrag(QWidget* target, QEvent* event, QPoint& offset, bool& dragging)
{
    const auto type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease)
        return false;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint inParent = target->parentWidget()->mapFromGlobal(mouse->globalPosition().toPoint());
    if (type == QEvent::MouseButtonPress) {
        if (mouse->button() != Qt::LeftButton || !(mouse->modifiers() & Qt::ShiftModifier))
            return false;
        dragging = true;
        offset = inParent - target->pos();
        return true;
    }
    if (!dragging)
        return false;
    const QPoint at = inParent - offset;
    target->move(std::max(0, at.x()), std::max(0, at.y()));
    if (type == QEvent::MouseButtonRelease)
        dragging = false;
    return true;
}

} // namespace reelkeep
