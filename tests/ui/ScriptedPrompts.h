// Prompts answered from a script: each question takes the next queued answer (or the
// default when none is queued) and is recorded, so tests check what the user was asked.
#pragma once

#include "Prompts.h"

#include <QStringList>
#include <deque>

namespace reelkeep::testing {

class ScriptedPrompts : public Prompts {
public:
    PromptButton ask(const Prompt& prompt) override
    {
        asked.push_back(prompt);
        return next(answers, prompt.buttons.front());
    }
    QString chooseFileToOpen(const QString& folder, const QStringList& filters) override
    {
        lastFolder = folder;
        lastFilters = filters;
        return next(files).path;
    }
    SaveChoice chooseFileToSave(const QString& folder, const QStringList& filters) override
    {
        return chooseFileToSaveFrom(folder, filters, 0);
    }
    SaveChoice chooseFileToSaveFrom(const QString& start, const QStringList& filters, int selectedFilter) override
    {
        lastFolder = start;
        lastFilters = filters;
        lastSelectedFilter = selectedFilter;
        return next(files);
    }

    QStringList chooseFilesToOpen(const QString& folder, const QStringList& filters) override
    {
        lastFolder = folder;
        lastFilters = filters;
        return next(fileLists);
    }
    QString chooseFileToOpenTitled(const QString& caption, const QString& folder, const QStringList& filters) override
    {
        lastCaption = caption;
        return chooseFileToOpen(folder, filters);
    }
    QStringList chooseFilesToOpenTitled(const QString& caption, const QString& folder, const QStringList& filters) override
    {
        lastCaption = caption;
        return chooseFilesToOpen(folder, filters);
    }
    SaveChoice chooseFileToSaveTitled(const QString& caption, const QString& start, const QStringList& filters,
                                      int selectedFilter) override
    {
        lastCaption = caption;
        return chooseFileToSaveFrom(start, filters, selectedFilter);
    }
    QString chooseFolder(const QString& caption, const QString& folder) override
    {
        lastFolder = folder;
        lastCaption = caption;
        return next(files).path;
    }

    // The texts of every prompt so far, joined by new lines.
    QString texts() const
    {
        QStringList all;
        for (const Prompt& prompt : asked)
            all << prompt.text;
        return all.join(QLatin1Char('\n'));
    }

    std::deque<PromptButton> answers;
    // Answers of the open and save dialogs and of the folder dialog, in turn.
    std::deque<SaveChoice> files;
    std::deque<QStringList> fileLists;
    std::vector<Prompt> asked;
    QString lastFolder;
    QStringList lastFilters;
    int lastSelectedFilter = 0;
    QString lastCaption;

private:
    // The next scripted answer, or the fallback once the script has run out.
    template <typename T> static T next(std::deque<T>& script, T fallback = {})
    {
        if (script.empty())
            return fallback;
        T answer = std::move(script.front());
        script.pop_front();
        return answer;
    }
};

} // namespace reelkeep::testing
