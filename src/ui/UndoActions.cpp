#include "UndoActions.h"

#include <QAction>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QUndoGroup>
#include <QUndoStack>
#include <QUndoView>
#include <QVBoxLayout>

namespace reelkeep {
namespace {

// Leaves the undo keys unclaimed, so that they reach the Edit menu's shortcuts.
class UndoKeyRouter : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::ShortcutOverride) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo)
                || key->keyCombination() == QKeyCombination(Qt::ControlModifier, Qt::Key_Y)
                || key->keyCombination() == QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z)) {
                event->ignore();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

UndoActions::UndoActions(QAction* undo, QAction* redo, QAction* history, Text text, QWidget* window)
    : QObject(window), m_undo(undo), m_redo(redo), m_text(std::move(text)), m_window(window), m_group(new QUndoGroup(this))
{
    m_undo->setShortcut(QKeySequence::Undo);
    m_redo->setShortcuts({QKeySequence(Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_Z), QKeySequence(Qt::ControlModifier | Qt::Key_Y)});
    connect(m_undo, &QAction::triggered, this, [this] {
        if (m_ready)
            m_group->undo();
    });
    connect(m_redo, &QAction::triggered, this, [this] {
        if (m_ready)
            m_group->redo();
    });
    connect(history, &QAction::triggered, this, &UndoActions::showHistory);
    connect(m_group, &QUndoGroup::indexChanged, this, &UndoActions::update);
    connect(m_group, &QUndoGroup::undoTextChanged, this, &UndoActions::update);
    connect(m_group, &QUndoGroup::redoTextChanged, this, &UndoActions::update);
    connect(m_group, &QUndoGroup::activeStackChanged, this, &UndoActions::update);
    update();
}

void UndoActions::setActive(QUndoStack* stack, bool ready)
{
    if (stack && !m_group->stacks().contains(stack))
        m_group->addStack(stack);
    m_ready = ready;
    m_group->setActiveStack(stack);
    update();
}

void UndoActions::retranslate()
{
    if (m_history) {
        m_history->setWindowTitle(m_text("History"));
        m_view->setEmptyLabel(m_text("Start"));
    }
    update();
}

QWidget* UndoActions::historyWindow() const
{
    return m_history;
}

void UndoActions::update()
{
    const QUndoStack* stack = m_group->activeStack();
    // A step's name (a column's, say) may hold an ampersand, which is no mnemonic here.
    const auto shown = [](QString text) { return text.replace(QLatin1Char('&'), QStringLiteral("&&")); };
    const QString undo = stack ? shown(stack->undoText()) : QString();
    const QString redo = stack ? shown(stack->redoText()) : QString();
    m_undo->setText(undo.isEmpty() ? m_text("Undo") : m_text("UndoStep").arg(undo));
    m_redo->setText(redo.isEmpty() ? m_text("Redo") : m_text("RedoStep").arg(redo));
    m_undo->setEnabled(m_ready && stack && stack->canUndo());
    m_redo->setEnabled(m_ready && stack && stack->canRedo());
    if (m_view)
        m_view->setEnabled(m_ready);
}

void UndoActions::showHistory()
{
    if (!m_history) {
        auto* window = new QDialog(m_window, Qt::Tool);
        window->setObjectName(QStringLiteral("fmUndoHistory"));
        window->setAttribute(Qt::WA_DeleteOnClose);
        auto* layout = new QVBoxLayout(window);
        m_view = new QUndoView(m_group, window);
        m_view->setObjectName(QStringLiteral("lvUndoHistory"));
        layout->addWidget(m_view);
        window->resize(360, 420);
        m_history = window;
        retranslate();
    }
    m_history->show();
    m_history->raise();
    m_history->activateWindow();
}

void RouteUndoKeys(QWidget* area)
{
    auto* router = new UndoKeyRouter(area);
    for (QWidget* editor : area->findChildren<QLineEdit*>())
        editor->installEventFilter(router);
    for (QWidget* editor : area->findChildren<QPlainTextEdit*>())
        editor->installEventFilter(router);
}

} // namespace reelkeep
