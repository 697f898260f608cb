// The image panel's "frame" button: a video file chosen, its frames offered in the
// frame chooser, and those chosen added to the current record's images.
#pragma once

#include <QObject>

class QWidget;

namespace reelkeep {

class ListController;
class Prompts;
class RecordSelection;
class ShellState;
class TfmFrameChooser;
class TzkRecordPanel;

class FrameImageCommand : public QObject {
    Q_OBJECT
public:
    // window is the list window: the chooser's parent.
    FrameImageCommand(RecordSelection& selection, QWidget& window, TzkRecordPanel& panel, ListController& controller,
                      ShellState& shell, Prompts& prompts, QObject* parent);

    // Asks for the video (starting in the folder of the last one) and opens the chooser
    // over the window; its frames are added when the person confirms.
    void AddFrame();
    // The chooser open now, for the tests; null when there is none.
    TfmFrameChooser* chooser() const;

private:
    void addChosen(const TfmFrameChooser& chooser);

    RecordSelection& m_selection;
    QWidget& m_window;
    TzkRecordPanel& m_panel;
    ListController& m_controller;
    ShellState& m_shell;
    Prompts& m_prompts;
};

} // namespace reelkeep
