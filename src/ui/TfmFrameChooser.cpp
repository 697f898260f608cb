#include "TfmFrameChooser.h"

#include "FrameGrabber.h"
#include "ImageDecoding.h"
#include "LongWorkPool.h"
#include "ReelkeepError.h"
#include "ShellState.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPromise>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtConcurrent>

namespace reelkeep {
namespace {

constexpr QSize kThumbnail{200, 150};

void takeFrames(QPromise<TakenFrame>& promise, const QString& video, const StopSignal* stop)
{
    FrameGrabber grabber;
    for (const int percent : kChooserPercents) {
        if (promise.isCanceled())
            return;
        TakenFrame frame{percent, {}, {}};
        try {
            frame.jpeg = grabber.Grab({video, double(percent)}, {}, stop);
        } catch (const ReelkeepError& error) {
            frame.error = error.text();
        }
        if (stop->Raised())
            return;
        promise.addResult(frame);
    }
}

} // namespace

TfmFrameChooser::TfmFrameChooser(const QString& video, const ShellState& shell, QWidget* parent)
    : QDialog(parent),
      m_shell(shell),
      m_thumbnails(new QListWidget),
      m_status(new QLabel),
      m_buttons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel))
{
    setObjectName(QStringLiteral("fmFrameChooser"));
    setWindowTitle(shell.text("FrameChooser", "Caption").arg(QFileInfo(video).fileName()));
    m_thumbnails->setObjectName(QStringLiteral("lvFrames"));
    m_thumbnails->setViewMode(QListView::IconMode);
    m_thumbnails->setMovement(QListView::Static);
    m_thumbnails->setResizeMode(QListView::Adjust);
    m_thumbnails->setWrapping(true);
    m_thumbnails->setIconSize(kThumbnail);
    m_thumbnails->setGridSize(kThumbnail + QSize(16, 32));
    m_thumbnails->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_thumbnails->setAccessibleName(shell.text("FrameChooser", "Hint"));
    m_thumbnails->setMinimumSize(3 * (kThumbnail.width() + 16) + 24, 2 * (kThumbnail.height() + 32) + 8);
    m_status->setObjectName(QStringLiteral("lblFrameStatus"));
    m_status->setWordWrap(true);
    m_status->setText(shell.text("FrameChooser", "Taking"));
    m_buttons->button(QDialogButtonBox::Ok)->setText(shell.text("FrameChooser", "Add"));
    m_buttons->button(QDialogButtonBox::Cancel)->setText(shell.text("Other", "Cancel"));

    auto* layout = new QVBoxLayout(this);
    auto* hint = new QLabel(shell.text("FrameChooser", "Hint"));
    hint->setBuddy(m_thumbnails);
    layout->addWidget(hint);
    layout->addWidget(m_thumbnails, 1);
    layout->addWidget(m_status);
    layout->addWidget(m_buttons);

    // One placeholder per frame, in the film's order, filled as the frames come.
    for (const int percent : kChooserPercents) {
        auto* item = new QListWidgetItem(shell.text("FrameChooser", "Position").arg(percent));
        item->setFlags(Qt::ItemIsEnabled);
        item->setSizeHint(m_thumbnails->gridSize());
        m_thumbnails->addItem(item);
        m_frames.emplace_back();
    }
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_thumbnails, &QListWidget::itemSelectionChanged, this, &TfmFrameChooser::updateButtons);
    connect(m_thumbnails, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        if (!m_frames[static_cast<size_t>(m_thumbnails->row(item))].isEmpty())
            accept();
    });
    connect(&m_watcher, &QFutureWatcher<TakenFrame>::resultReadyAt, this, &TfmFrameChooser::showFrame);
    connect(&m_watcher, &QFutureWatcher<TakenFrame>::finished, this, &TfmFrameChooser::finishTaking);
    updateButtons();
    m_watcher.setFuture(QtConcurrent::run(&LongWorkPool(), takeFrames, video, &m_stop));
}

TfmFrameChooser::~TfmFrameChooser()
{
    m_watcher.disconnect(this);
    m_watcher.cancel();
    m_stop.Raise();
    m_watcher.waitForFinished();
}

void TfmFrameChooser::showFrame(int index)
{
    const TakenFrame frame = m_watcher.resultAt(index);
    QListWidgetItem* item = m_thumbnails->item(index);
    const DecodedImage thumbnail = DecodeImage(frame.jpeg, kThumbnail);
    if (thumbnail.outcome != DecodedImage::Outcome::Decoded) {
        item->setText(m_shell.text("FrameChooser", "Failed").arg(frame.percent));
        item->setToolTip(m_shell.render(frame.error));
        return;
    }
    m_frames[static_cast<size_t>(index)] = frame.jpeg;
    item->setIcon(QIcon(QPixmap::fromImage(thumbnail.image)));
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    // The first frame taken is offered, so Enter alone adds it.
    if (m_thumbnails->selectedItems().isEmpty()) {
        m_thumbnails->setCurrentItem(item);
        item->setSelected(true);
    }
}

void TfmFrameChooser::finishTaking()
{
    QString firstError;
    bool any = false;
    for (int i = 0; i < m_watcher.future().resultCount(); ++i) {
        const TakenFrame frame = m_watcher.resultAt(i);
        any = any || !m_frames[static_cast<size_t>(i)].isEmpty();
        if (firstError.isEmpty())
            firstError = m_shell.render(frame.error);
    }
    m_status->setText(any ? m_shell.text("FrameChooser", "Choose") : m_shell.text("FrameChooser", "NoFrames").arg(firstError));
    emit framesTaken();
}

void TfmFrameChooser::updateButtons()
{
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(!m_thumbnails->selectedItems().isEmpty());
}

QList<QByteArray> TfmFrameChooser::chosenFrames() const
{
    QList<QByteArray> chosen;
    for (int i = 0; i < m_thumbnails->count(); ++i)
        if (m_thumbnails->item(i)->isSelected() && !m_frames[static_cast<size_t>(i)].isEmpty())
            chosen << m_frames[static_cast<size_t>(i)];
    return chosen;
}

} // namespace reelkeep
