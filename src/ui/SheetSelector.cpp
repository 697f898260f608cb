#include "SheetSelector.h"

#include "ListController.h"
#include "Prompts.h"
#include "ShellState.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

namespace reelkeep {

SheetSelector::SheetSelector(QComboBox* box, QWidget* focusAfter, ListController& controller, const ShellState& shell,
                             Prompts& prompts, QObject* parent)
    : QObject(parent), m_box(box), m_focusAfter(focusAfter), m_controller(controller), m_shell(shell), m_prompts(prompts)
{
    connect(m_box, &QComboBox::activated, this, [this](int index) {
        m_controller.switchSheet(index);
        m_focusAfter->setFocus();
    });
    connect(m_box->lineEdit(), &QLineEdit::textEdited, this,
            [this](const QString& text) { m_controller.renameCurrentSheet(text); });
    m_box->lineEdit()->installEventFilter(this);
    connect(&m_controller, &ListController::sheetsChanged, this, &SheetSelector::refill);
}

void SheetSelector::refill()
{
    const QSignalBlocker blocker(m_box);
    const QStringList names = m_controller.sheetNames();
    if (m_box->count() == names.size()) {
        for (int i = 0; i < names.size(); ++i)
            if (m_box->itemText(i) != names[i])
                m_box->setItemText(i, names[i]);
    } else {
        m_box->clear();
        m_box->addItems(names);
    }
    if (m_box->currentIndex() != m_controller.currentSheet())
        m_box->setCurrentIndex(m_controller.currentSheet());
}

void SheetSelector::AddSheet()
{
    m_controller.addSheet();
}

void SheetSelector::DeleteSheet()
{
    if (m_controller.sheetNames().size() < 2) {
        m_prompts.ask({PromptIcon::Information, QString(), m_shell.text("SysMessage", "ImposibleToDeletePage"),
                       {PromptButton::Ok}});
        return;
    }
    if (m_prompts.ask({PromptIcon::Question, QString(), m_shell.text("SysMessage", "ReallyWantToDelete"),
                       {PromptButton::Yes, PromptButton::No}})
        == PromptButton::Yes)
        m_controller.deleteCurrentSheet();
}

bool SheetSelector::eventFilter(QObject* watched, QEvent* event)
{
    // Enter and Escape neither add an entry nor leave the name.
    if (watched == m_box->lineEdit() && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape)
            return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace reelkeep
