// The record panel's labelled colour box: the toolkit's named colours and the
// colour of the record shown; only a person's pick is reported.
#pragma once

#include <QColor>
#include <QWidget>

class QComboBox;
class QLabel;

namespace reelkeep {

class TzkLabeledColorBox : public QWidget {
    Q_OBJECT
public:
    explicit TzkLabeledColorBox(QWidget* parent = nullptr);

    QComboBox* box() const { return m_box; }
    QLabel* label() const { return m_label; }
    void setCaption(const QString& text);
    // Shows the colour, adding it to the list when it has no name there; reports nothing.
    void setColour(const QColor& colour);
    QColor colour() const;

signals:
    void colourPicked(const QColor& colour);
    void moved(QPoint topLeft);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int addColour(const QColor& colour, const QString& name);

    QLabel* m_label;
    QComboBox* m_box;
    int m_unnamed = -1;
    QPoint m_dragOffset;
    bool m_dragging = false;
};

} // namespace reelkeep
