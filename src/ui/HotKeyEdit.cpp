#include "HotKeyEdit.h"

#include <QKeyEvent>

namespace reelkeep {
namespace {

bool isModifierKey(int key)
{
    return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt || key == Qt::Key_Meta
        || key == Qt::Key_AltGr || key == Qt::Key_unknown;
}

} // namespace

HotKeyEdit::HotKeyEdit(QWidget* parent) : QLineEdit(parent)
{
    setReadOnly(true);
    setContextMenuPolicy(Qt::NoContextMenu);
}

void HotKeyEdit::setKeySequence(const QKeySequence& sequence)
{
    m_sequence = sequence;
    setText(sequence.toString(QKeySequence::NativeText));
}

void HotKeyEdit::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    // Tab and Escape keep moving the focus and closing the dialog.
    if (isModifierKey(key) || key == Qt::Key_Tab || key == Qt::Key_Backtab || key == Qt::Key_Escape) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    Qt::KeyboardModifiers modifiers = event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    if (modifiers == Qt::NoModifier && (key == Qt::Key_Backspace || key == Qt::Key_Delete)) {
        setKeySequence(QKeySequence());
    } else {
        if (modifiers == Qt::NoModifier || modifiers == Qt::ShiftModifier)
            modifiers |= Qt::AltModifier;
        setKeySequence(QKeySequence(QKeyCombination(modifiers, static_cast<Qt::Key>(key))));
    }
    event->accept();
    emit shortcutEdited(m_sequence);
}

} // namespace reelkeep
