// The small borderless progress window shown while a catalogue loads, centred on its list window.
#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;

namespace reelkeep {

class TfmProgress : public QWidget {
    Q_OBJECT
public:
    explicit TfmProgress(QWidget* parent = nullptr);

    // Centres the window on the given widget.
    void centreOn(const QWidget* widget);
    // 99 or more hides the window; a lower value shows it with the bar at the value.
    void SetProgress(int percent);
    void setText(const QString& text);

private:
    QLabel* m_label;
    QProgressBar* m_bar;
};

} // namespace reelkeep
