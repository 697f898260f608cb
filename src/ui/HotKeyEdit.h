// An edit that takes a key combination instead of text. A key pressed without a
// modifier, or with Shift alone, gets Alt added, so a shortcut never eats typing;
// Backspace or Delete alone clears the shortcut.
#pragma once

#include <QKeySequence>
#include <QLineEdit>

namespace reelkeep {

class HotKeyEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit HotKeyEdit(QWidget* parent = nullptr);

    QKeySequence keySequence() const { return m_sequence; }
    // Shows the shortcut without emitting shortcutEdited.
    void setKeySequence(const QKeySequence& sequence);

signals:
    // The person pressed a combination (empty when cleared).
    void shortcutEdited(const QKeySequence& sequence);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QKeySequence m_sequence;
};

} // namespace reelkeep
