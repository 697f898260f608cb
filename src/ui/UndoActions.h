// The Edit menu's Undo, Redo and history items, acting on the active list window's
// undo history: their texts name the step, and they are enabled while there is one.
#pragma once

#include <QObject>
#include <QPointer>
#include <functional>

class QAction;
class QUndoGroup;
class QUndoStack;
class QUndoView;
class QWidget;

namespace reelkeep {

class UndoActions : public QObject {
    Q_OBJECT
public:
    using Text = std::function<QString(const char* key)>;
    // text: a text of the language table's Undo section, mnemonic kept; window: the main window.
    UndoActions(QAction* undo, QAction* redo, QAction* history, Text text, QWidget* window);

    // The active list window's history, or none; ready: that window takes commands now.
    void setActive(QUndoStack* stack, bool ready);
    // The texts again, in the language now in use.
    void retranslate();
    // The history window, once shown.
    QWidget* historyWindow() const;

private:
    void update();
    void showHistory();

    QAction* m_undo;
    QAction* m_redo;
    Text m_text;
    QWidget* m_window;
    QUndoGroup* m_group;
    QPointer<QWidget> m_history;
    QPointer<QUndoView> m_view;
    bool m_ready = false;
};

// Ctrl+Z, Ctrl+Shift+Z and Ctrl+Y in the text editors within area undo and redo the
// window's steps instead of the editor's own typing.
void RouteUndoKeys(QWidget* area);

} // namespace reelkeep
