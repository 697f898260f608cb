// The image panel's "frame" button: a video file chosen, its frames offered in the
// frame chooser, and those chosen added to the current record's images.
#pragma once

#include <QObject>

namespace reelkeep {

class Prompts;
class ShellState;
class TfmFrameChooser;
class TfmList;
class TzkRecordPanel;

class FrameImageCommand : public QObject {
    Q_OBJECT
public:
    FrameImageCommand(TfmList& window, TzkRecordPanel& panel, ShellState& shell, Prompts& prompts, QObject* parent);

    // Asks for the video (starting in the folder of the last one) and opens the chooser
    // over the window; its frames are added when the person confirms.
    void AddFrame();
    // The chooser open now, for the tests; null when there is none.
    TfmFrameChooser* chooser() const;

private:
    void addChosen(const TfmFrameChooser& chooser);

    TfmList& m_window;
    TzkRecordPanel& m_panel;
    ShellState& m_shell;
    Prompts& m_prompts;
};

} // namespace reelkeep
