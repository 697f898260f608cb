// The progress of a catalogue being loaded, in the main window's status bar: what is
// loaded and how far; hidden when no load runs.
#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;

namespace reelkeep {

class TfmProgress : public QWidget {
    Q_OBJECT
public:
    explicit TfmProgress(QWidget* parent = nullptr);

    // 99 or more hides it and forgets the text; a lower value shows it with the bar at the value.
    void SetProgress(int percent);
    void setText(const QString& text);

private:
    QLabel* m_label;
    QProgressBar* m_bar;
};

} // namespace reelkeep
