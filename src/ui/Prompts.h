// The questions, messages and file dialogs of the shell, behind one small interface
// so that tests answer them without real modal dialogs.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace reelkeep {

enum class PromptIcon { None, Information, Question, Warning, Error };
enum class PromptButton { Ok, Cancel, Yes, No, SaveAnyway, SaveInOtherForm,
                          ReadOnly, Overwrite, SaveAs, Restore, Discard, Later };

struct Prompt {
    PromptIcon icon = PromptIcon::None;
    QString caption;
    QString text;
    std::vector<PromptButton> buttons; // the first is the default
};

// A file chosen in a save dialog and the filter entry (0-based) that was selected.
struct SaveChoice {
    QString path;
    int filterIndex = 0;
};

class Prompts {
public:
    virtual ~Prompts() = default;
    // The button pressed; the last button of the prompt when the box is closed otherwise.
    virtual PromptButton ask(const Prompt& prompt) = 0;
    // filters are Qt dialog filters ("Name (*.ext)"); an empty path when cancelled.
    virtual QString chooseFileToOpen(const QString& folder, const QStringList& filters) = 0;
    virtual SaveChoice chooseFileToSave(const QString& folder, const QStringList& filters) = 0;
    // The same, starting on a suggested file (or folder) with the filter entry selectedFilter shown.
    virtual SaveChoice chooseFileToSaveFrom(const QString& start, const QStringList& filters, int selectedFilter)
    {
        Q_UNUSED(selectedFilter);
        return chooseFileToSave(start, filters);
    }
    // Several existing files, in the order the dialog gives them; empty when cancelled.
    virtual QStringList chooseFilesToOpen(const QString& folder, const QStringList& filters) = 0;
    // The same dialogs under a title of their own (an empty one leaves the dialog's usual title).
    virtual QString chooseFileToOpenTitled(const QString& caption, const QString& folder, const QStringList& filters)
    {
        Q_UNUSED(caption);
        return chooseFileToOpen(folder, filters);
    }
    virtual QStringList chooseFilesToOpenTitled(const QString& caption, const QString& folder, const QStringList& filters)
    {
        Q_UNUSED(caption);
        return chooseFilesToOpen(folder, filters);
    }
    virtual SaveChoice chooseFileToSaveTitled(const QString& caption, const QString& start, const QStringList& filters,
                                              int selectedFilter)
    {
        Q_UNUSED(caption);
        return chooseFileToSaveFrom(start, filters, selectedFilter);
    }
    // An existing folder; empty when cancelled.
    virtual QString chooseFolder(const QString& caption, const QString& folder) = 0;
};

} // namespace reelkeep
