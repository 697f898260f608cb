#include "DialogPrompts.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <algorithm>
#include <map>

namespace reelkeep {

DialogPrompts::DialogPrompts(QWidget* owner, std::function<QString(const char*, const char*)> text)
    : m_owner(owner), m_text(std::move(text))
{
}

QString DialogPrompts::buttonText(PromptButton button) const
{
    switch (button) {
    case PromptButton::Ok:
        return QStringLiteral("OK");
    case PromptButton::Cancel:
        return m_text("Other", "Cancel");
    case PromptButton::Yes:
        return m_text("Other", "Yes");
    case PromptButton::No:
        return m_text("Other", "No");
    case PromptButton::SaveAnyway:
        return m_text("Shell", "SaveAnyway");
    case PromptButton::ReadOnly:
        return m_text("Safety", "ReadOnlyButton");
    case PromptButton::Overwrite:
        return m_text("Safety", "OverwriteButton");
    case PromptButton::SaveAs:
        return m_text("Safety", "SaveAsButton");
    case PromptButton::Restore:
        return m_text("Safety", "RestoreButton");
    case PromptButton::Discard:
        return m_text("Safety", "DiscardButton");
    case PromptButton::Later:
        return m_text("Safety", "LaterButton");
    case PromptButton::SaveInOtherForm:
        return m_text("Shell", "SaveInOtherForm");
    }
    return {};
}

PromptButton DialogPrompts::ask(const Prompt& prompt)
{
    static const std::map<PromptIcon, QMessageBox::Icon> icons{
        {PromptIcon::None, QMessageBox::NoIcon}, {PromptIcon::Information, QMessageBox::Information},
        {PromptIcon::Question, QMessageBox::Question}, {PromptIcon::Warning, QMessageBox::Warning},
        {PromptIcon::Error, QMessageBox::Critical}};
    QMessageBox box(icons.at(prompt.icon), prompt.caption.isEmpty() ? m_owner->windowTitle() : prompt.caption,
                    prompt.text, QMessageBox::NoButton, m_owner);
    std::map<QAbstractButton*, PromptButton> pressed;
    for (const PromptButton button : prompt.buttons) {
        const auto role = button == PromptButton::Cancel || button == PromptButton::No ? QMessageBox::RejectRole
                                                                                        : QMessageBox::AcceptRole;
        QPushButton* widget = box.addButton(buttonText(button), role);
        pressed[widget] = button;
        if (button == prompt.buttons.front())
            box.setDefaultButton(widget);
        if (button == prompt.buttons.back())
            box.setEscapeButton(widget);
    }
    box.exec();
    const auto found = pressed.find(box.clickedButton());
    return found != pressed.end() ? found->second : prompt.buttons.back();
}

QString DialogPrompts::chooseFileToOpen(const QString& folder, const QStringList& filters)
{
    return QFileDialog::getOpenFileName(m_owner, QString(), folder, filters.join(QStringLiteral(";;")));
}

QStringList DialogPrompts::chooseFilesToOpen(const QString& folder, const QStringList& filters)
{
    return QFileDialog::getOpenFileNames(m_owner, QString(), folder, filters.join(QStringLiteral(";;")));
}

QString DialogPrompts::chooseFolder(const QString& caption, const QString& folder)
{
    return QFileDialog::getExistingDirectory(m_owner, caption, folder);
}

SaveChoice DialogPrompts::chooseFileToSave(const QString& folder, const QStringList& filters)
{
    return chooseFileToSaveFrom(folder, filters, 0);
}

SaveChoice DialogPrompts::chooseFileToSaveFrom(const QString& start, const QStringList& filters, int selectedFilter)
{
    // The overwrite question is the shell's own, in the language of the table.
    QString selected = filters.value(selectedFilter);
    const QString path = QFileDialog::getSaveFileName(m_owner, QString(), start, filters.join(QStringLiteral(";;")),
                                                      &selected, QFileDialog::DontConfirmOverwrite);
    return {path, std::max(0, static_cast<int>(filters.indexOf(selected)))};
}

} // namespace reelkeep
