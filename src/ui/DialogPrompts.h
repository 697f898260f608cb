// The prompts as real message boxes and file dialogs, owned by the main window;
// button captions come from the language table.
#pragma once

#include "Prompts.h"

#include <functional>

class QWidget;

namespace reelkeep {

class DialogPrompts : public Prompts {
public:
    // text(section, key) gives the current language's text.
    DialogPrompts(QWidget* owner, std::function<QString(const char*, const char*)> text);

    PromptButton ask(const Prompt& prompt) override;
    QString chooseFileToOpen(const QString& folder, const QStringList& filters) override;
    SaveChoice chooseFileToSave(const QString& folder, const QStringList& filters) override;
    SaveChoice chooseFileToSaveFrom(const QString& start, const QStringList& filters, int selectedFilter) override;
    QStringList chooseFilesToOpen(const QString& folder, const QStringList& filters) override;
    QString chooseFolder(const QString& caption, const QString& folder) override;
    QString chooseFileToOpenTitled(const QString& caption, const QString& folder, const QStringList& filters) override;
    QStringList chooseFilesToOpenTitled(const QString& caption, const QString& folder, const QStringList& filters) override;
    SaveChoice chooseFileToSaveTitled(const QString& caption, const QString& start, const QStringList& filters,
                                      int selectedFilter) override;

private:
    QString buttonText(PromptButton button) const;
    // fileMode is a QFileDialog::FileMode, kept out of this header.
    QStringList runOpenDialog(const QString& caption, const QString& folder, const QStringList& filters, int fileMode);

    QWidget* m_owner;
    std::function<QString(const char*, const char*)> m_text;
};

} // namespace reelkeep
