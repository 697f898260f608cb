// The frame chooser: six frames spread over a film, taken off the interface thread
// in the frame helper and shown as thumbnails as they come; the person picks one
// or several, which are kept as JPEG files' bytes.
#pragma once

#include "HelperProcess.h"

#include <QDialog>
#include <QFutureWatcher>
#include <vector>

class QDialogButtonBox;
class QLabel;
class QListWidget;

namespace reelkeep {

class ShellState;

struct TakenFrame {
    int percent = 0;
    QByteArray jpeg; // empty when the frame could not be taken
    Message error; // why not, rendered where it is shown
};

class TfmFrameChooser : public QDialog {
    Q_OBJECT
public:
    TfmFrameChooser(const QString& video, const ShellState& shell, QWidget* parent = nullptr);
    // Stops the taking of frames and waits for it.
    ~TfmFrameChooser() override;

    // The frames selected, in the film's order.
    QList<QByteArray> chosenFrames() const;
    bool isTaking() const { return m_watcher.isRunning(); }
    QListWidget* thumbnails() const { return m_thumbnails; }
    QDialogButtonBox* buttons() const { return m_buttons; }

signals:
    // Every frame has been taken or failed.
    void framesTaken();

private:
    void showFrame(int index);
    void finishTaking();
    void updateButtons();

    const ShellState& m_shell;
    QListWidget* m_thumbnails;
    QLabel* m_status;
    QDialogButtonBox* m_buttons;
    std::vector<QByteArray> m_frames; // by thumbnail
    StopSignal m_stop;
    QFutureWatcher<TakenFrame> m_watcher;
};

} // namespace reelkeep
