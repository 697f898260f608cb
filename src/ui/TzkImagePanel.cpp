#include "TzkImagePanel.h"

#include "TzkBtnEdit.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <utility>

namespace reelkeep {

TzkImagePanel::TzkImagePanel(QWidget* parent)
    : QWidget(parent),
      m_picture(new QLabel),
      m_position(new QLabel),
      m_add(new QToolButton),
      m_remove(new QToolButton),
      m_previous(new QToolButton),
      m_next(new QToolButton)
{
    setObjectName(QStringLiteral("pnlImage"));
    m_picture->setObjectName(QStringLiteral("Image1"));
    m_picture->setAlignment(Qt::AlignCenter);
    m_picture->setFrameShape(QFrame::StyledPanel);
    m_picture->setWordWrap(true);
    m_picture->setMinimumSize(40, 40);
    m_picture->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    m_picture->installEventFilter(this);
    m_position->setObjectName(QStringLiteral("lblImagePosition"));
    m_position->setAlignment(Qt::AlignCenter);

    const auto setUp = [this](QToolButton* button, const char* name, QStyle::StandardPixmap icon) {
        button->setObjectName(QString::fromLatin1(name));
        button->setIcon(style()->standardIcon(icon));
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
    };
    setUp(m_add, "btnAddImage", QStyle::SP_FileDialogNewFolder);
    setUp(m_remove, "btnRemoveImage", QStyle::SP_DialogDiscardButton);
    setUp(m_previous, "btnPrevImage", QStyle::SP_ArrowLeft);
    setUp(m_next, "btnNextImage", QStyle::SP_ArrowRight);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    layout->addWidget(m_picture, 1);
    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->setSpacing(0);
    buttons->addWidget(m_add);
    buttons->addWidget(m_remove);
    buttons->addStretch(1);
    buttons->addWidget(m_previous);
    buttons->addWidget(m_position);
    buttons->addWidget(m_next);
    layout->addLayout(buttons);

    connect(m_add, &QToolButton::clicked, this, &TzkImagePanel::addRequested);
    connect(m_remove, &QToolButton::clicked, this, [this] {
        if (!m_images.isEmpty())
            emit removeRequested(m_shown);
    });
    connect(m_previous, &QToolButton::clicked, this, [this] { step(-1); });
    connect(m_next, &QToolButton::clicked, this, [this] { step(1); });
    setImages({});
}

void TzkImagePanel::setTexts(const QString& add, const QString& remove, const QString& previous, const QString& next,
                             const QString& undecodable)
{
    // The hints are the buttons' names for a screen reader too.
    const std::pair<QToolButton*, QString> hints[] = {{m_add, add}, {m_remove, remove}, {m_previous, previous}, {m_next, next}};
    for (const auto& [button, hint] : hints) {
        button->setToolTip(hint);
        button->setAccessibleName(hint);
    }
    m_undecodable = undecodable;
    showShown();
}

void TzkImagePanel::setImages(const QList<QByteArray>& images, int shown)
{
    m_images = images;
    m_shown = m_images.isEmpty() ? 0 : std::clamp(shown, 0, static_cast<int>(m_images.size()) - 1);
    showShown();
}

void TzkImagePanel::step(int delta)
{
    const int n = count();
    if (n < 2)
        return;
    // Stepping goes round: after the last image comes the first again.
    m_shown = (m_shown + delta + n) % n;
    showShown();
}

void TzkImagePanel::showShown()
{
    const int n = count();
    m_decoded = n > 0 ? QImage::fromData(m_images[m_shown]) : QImage();
    m_position->setText(n > 0 ? QStringLiteral("%1/%2").arg(m_shown + 1).arg(n) : QString());
    m_remove->setEnabled(n > 0);
    m_previous->setEnabled(n > 1);
    m_next->setEnabled(n > 1);
    if (m_decoded.isNull()) {
        m_picture->setPixmap({});
        m_picture->setText(n > 0 ? m_undecodable : QString());
        return;
    }
    fitPicture();
}

void TzkImagePanel::fitPicture()
{
    const QSize room = m_picture->contentsRect().size();
    // Smooth scaling blends colours, which an image with a palette (a one-bit one above
    // all) cannot hold: it is shrunk as true colour.
    const bool paletted = m_decoded.colorCount() > 0;
    const QImage fitted = m_decoded.width() > room.width() || m_decoded.height() > room.height()
                              ? (paletted ? m_decoded.convertToFormat(QImage::Format_ARGB32) : m_decoded)
                                    .scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                              : m_decoded;
    m_picture->setPixmap(QPixmap::fromImage(fitted));
}

void TzkImagePanel::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (!m_decoded.isNull())
        fitPicture();
}

bool TzkImagePanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_picture && MoveByShiftDrag(this, event, m_dragOffset, m_dragging)) {
        if (event->type() == QEvent::MouseButtonRelease)
            emit moved(pos());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace reelkeep
