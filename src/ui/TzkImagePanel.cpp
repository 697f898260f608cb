#include "TzkImagePanel.h"

#include "ImageDecoding.h"
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
      m_next(new QToolButton),
      m_frame(new QToolButton)
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
    setUp(m_frame, "btnFrameImage", QStyle::SP_MediaPlay);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    layout->addWidget(m_picture, 1);
    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->setSpacing(0);
    buttons->addWidget(m_add);
    buttons->addWidget(m_frame);
    buttons->addWidget(m_remove);
    buttons->addStretch(1);
    buttons->addWidget(m_previous);
    buttons->addWidget(m_position);
    buttons->addWidget(m_next);
    layout->addLayout(buttons);

    connect(m_add, &QToolButton::clicked, this, &TzkImagePanel::addRequested);
    connect(m_frame, &QToolButton::clicked, this, &TzkImagePanel::frameRequested);
    connect(m_remove, &QToolButton::clicked, this, [this] {
        if (!m_images.isEmpty())
            emit removeRequested(m_shown);
    });
    connect(m_previous, &QToolButton::clicked, this, [this] { step(-1); });
    connect(m_next, &QToolButton::clicked, this, [this] { step(1); });
    setImages({});
}

void TzkImagePanel::setTexts(const Texts& texts)
{
    // The hints are the buttons' names for a screen reader too.
    const std::pair<QToolButton*, QString> hints[] = {
        {m_add, texts.add}, {m_remove, texts.remove}, {m_previous, texts.previous}, {m_next, texts.next}, {m_frame, texts.frame}};
    for (const auto& [button, hint] : hints) {
        button->setToolTip(hint);
        button->setAccessibleName(hint);
    }
    m_undecodable = texts.undecodable;
    m_tooLarge = texts.tooLarge;
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
    // The box never needs more than a screenful: a bigger picture is kept at that size.
    const DecodedImage decoded = n > 0 ? DecodeImage(m_images[m_shown], kLargestShown) : DecodedImage{};
    m_decoded = decoded.image;
    m_fitted = {};
    m_position->setText(n > 0 ? QStringLiteral("%1/%2").arg(m_shown + 1).arg(n) : QString());
    m_remove->setEnabled(n > 0);
    m_previous->setEnabled(n > 1);
    m_next->setEnabled(n > 1);
    if (m_decoded.isNull()) {
        m_picture->setPixmap({});
        m_picture->setText(n == 0 ? QString()
                           : decoded.outcome == DecodedImage::Outcome::TooManyPixels ? m_tooLarge
                                                                                     : m_undecodable);
        return;
    }
    fitPicture();
}

void TzkImagePanel::fitPicture()
{
    const QSize room = m_picture->contentsRect().size();
    // Scaled once per size of the box, never while painting.
    if (m_fitted.isNull() || m_fittedRoom != room) {
        m_fitted = QPixmap::fromImage(ShrunkToFit(m_decoded, room));
        m_fittedRoom = room;
    }
    m_picture->setPixmap(m_fitted);
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
