#include "DialogPrompts.h"

#include <QFileDialog>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTreeView>
#include <algorithm>
#include <map>

namespace reelkeep {
namespace {

// Qt's own file dialog opens too narrow, with fixed columns that cut the size and the
// date short: it gets room within the screen, the name takes what the others leave.
void FitFileDialog(QFileDialog& dialog)
{
    QSize size = dialog.sizeHint().expandedTo(QSize(880, 520));
    if (const QScreen* screen = dialog.screen())
        size = size.boundedTo(screen->availableSize() * 9 / 10);
    dialog.resize(size);
    if (auto* view = dialog.findChild<QTreeView*>(); view && view->header()->count() > 1) {
        QHeaderView* header = view->header();
        header->setStretchLastSection(false);
        header->setSectionResizeMode(QHeaderView::ResizeToContents);
        header->setSectionResizeMode(0, QHeaderView::Stretch);
    }
}

} // namespace

DialogPrompts::DialogPrompts(QWidget* owner, std::function<QString(const char*, const char*)> text)
    : m_owner(owner), m_text(std::move(text))
{
}

QString DialogPrompts::buttonText(PromptButton button) const
{
    switch (button) {
    case PromptButton::Ok:
        return m_text("Other", "Ok");
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
    return chooseFileToOpenTitled(QString(), folder, filters);
}

QStringList DialogPrompts::chooseFilesToOpen(const QString& folder, const QStringList& filters)
{
    return chooseFilesToOpenTitled(QString(), folder, filters);
}

QString DialogPrompts::chooseFileToOpenTitled(const QString& caption, const QString& folder, const QStringList& filters)
{
    return runOpenDialog(caption, folder, filters, QFileDialog::ExistingFile).value(0);
}

QStringList DialogPrompts::chooseFilesToOpenTitled(const QString& caption, const QString& folder, const QStringList& filters)
{
    return runOpenDialog(caption, folder, filters, QFileDialog::ExistingFiles);
}

QStringList DialogPrompts::runOpenDialog(const QString& caption, const QString& folder, const QStringList& filters,
                                         int fileMode)
{
    QFileDialog dialog(m_owner, caption, folder);
    dialog.setNameFilters(filters);
    dialog.setFileMode(static_cast<QFileDialog::FileMode>(fileMode));
    FitFileDialog(dialog);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles() : QStringList();
}

QString DialogPrompts::chooseFolder(const QString& caption, const QString& folder)
{
    QFileDialog dialog(m_owner, caption, folder);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    FitFileDialog(dialog);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

SaveChoice DialogPrompts::chooseFileToSave(const QString& folder, const QStringList& filters)
{
    return chooseFileToSaveTitled(QString(), folder, filters, 0);
}

SaveChoice DialogPrompts::chooseFileToSaveFrom(const QString& start, const QStringList& filters, int selectedFilter)
{
    return chooseFileToSaveTitled(QString(), start, filters, selectedFilter);
}

SaveChoice DialogPrompts::chooseFileToSaveTitled(const QString& caption, const QString& start, const QStringList& filters,
                                                 int selectedFilter)
{
    QFileDialog dialog(m_owner, caption, start);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(filters);
    if (selectedFilter >= 0 && selectedFilter < filters.size())
        dialog.selectNameFilter(filters[selectedFilter]);
    // The overwrite question is the shell's own, in the language of the table.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    FitFileDialog(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return {dialog.selectedFiles().front(), std::max(0, static_cast<int>(filters.indexOf(dialog.selectedNameFilter())))};
}

} // namespace reelkeep
