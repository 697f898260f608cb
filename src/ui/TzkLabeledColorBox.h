// The record panel's labelled colour box: opaque colours named in the interface
// language and the colour of the record shown; only a person's pick is reported.
#pragma once

#include <QColor>
#include <QWidget>
#include <functional>

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
    // The colours' names from the language table ("Colours" section).
    void setColourNames(const std::function<QString(const char* section, const char* key)>& text);
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
