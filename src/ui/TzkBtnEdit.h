// A labelled single-line edit of the record panel, with an optional small button
// beside it; Shift+drag on the label moves the whole control.
#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QToolButton;

namespace reelkeep {

class TzkBtnEdit : public QWidget {
    Q_OBJECT
public:
    TzkBtnEdit(int column, QWidget* parent = nullptr);

    int column() const { return m_column; }
    QLineEdit* edit() const { return m_edit; }
    QToolButton* button() const { return m_button; }
    QLabel* label() const { return m_label; }

    void setCaption(const QString& text);
    // The button's caption and hint; an empty caption hides the button.
    void setButton(const QString& caption, const QString& hint);
    // The width of the edit with its button, and the room the label may take.
    void setEditWidth(int width, int room);
    // The least width of the edit with its button: the least text (five digits unless
    // set) fits in the edit.
    int leastWidth() const;
    void setLeastText(const QString& text);
    // The width the edit with its button takes: the stored width, or the least one.
    int boxWidth() const;
    // The width the label needs for its whole caption.
    int captionWidth() const;

signals:
    void buttonClicked(int column);
    // The label was dragged with Shift to a new top-left corner (in the parent's coordinates).
    void moved(int column, QPoint topLeft);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fitWidth();
    int buttonWidth() const;

    int m_column;
    int m_editWidth = 0;
    int m_room = 0;
    QString m_caption;
    QString m_leastText = QStringLiteral("00000");
    QLabel* m_label;
    QLineEdit* m_edit;
    QToolButton* m_button;
    QPoint m_dragOffset;
    bool m_dragging = false;
};

// Moves target within its parent while a Shift+left-button drag lasts; true when the
// mouse event was part of such a drag.
bool MoveByShiftDrag(QWidget* target, QEvent* event, QPoint& offset, bool& dragging);

} // namespace reelkeep
