// The image area of the record panel: the shown record's images one at a time,
// decoded from memory, with buttons to add one, remove the one shown and step
// through them. It only reports what a person asks for; the record is changed elsewhere.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QPixmap>
#include <QWidget>

class QLabel;
class QToolButton;

namespace reelkeep {

class TzkImagePanel : public QWidget {
    Q_OBJECT
public:
    explicit TzkImagePanel(QWidget* parent = nullptr);

    // Shows the image at index shown of the list (clamped); an empty list empties the area.
    void setImages(const QList<QByteArray>& images, int shown = 0);
    int shownIndex() const { return m_shown; }
    int count() const { return static_cast<int>(m_images.size()); }
    // The hints of the buttons and the texts shown for data no image reader understands
    // and for an image of more pixels than the limit.
    struct Texts {
        QString add, remove, previous, next, frame, undecodable, tooLarge;
    };
    void setTexts(const Texts& texts);

    QLabel* picture() const { return m_picture; }
    QToolButton* addButton() const { return m_add; }
    QToolButton* removeButton() const { return m_remove; }
    QToolButton* previousButton() const { return m_previous; }
    QToolButton* nextButton() const { return m_next; }
    QToolButton* frameButton() const { return m_frame; }

signals:
    void addRequested();
    // A frame of a video file is to be chosen and added.
    void frameRequested();
    void removeRequested(int index);
    // Shift+drag on the picture moved the area to a new top-left corner.
    void moved(QPoint topLeft);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void step(int delta);
    void showShown();
    // The decoded image scaled down to the room of the picture.
    void fitPicture();

    QLabel* m_picture;
    QLabel* m_position;
    QToolButton* m_add;
    QToolButton* m_remove;
    QToolButton* m_previous;
    QToolButton* m_next;
    QToolButton* m_frame;
    QList<QByteArray> m_images;
    // The largest copy of a picture kept for the box.
    static constexpr QSize kLargestShown{2048, 2048};
    QImage m_decoded; // null for data no reader understands
    QPixmap m_fitted; // m_decoded scaled to m_fittedRoom
    QSize m_fittedRoom;
    int m_shown = 0;
    QString m_undecodable;
    QString m_tooLarge;
    QPoint m_dragOffset;
    bool m_dragging = false;
};

} // namespace reelkeep
