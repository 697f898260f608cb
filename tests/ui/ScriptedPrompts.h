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
        if (answers.empty())
            return prompt.buttons.front();
        const PromptButton answer = answers.front();
        answers.pop_front();
        return answer;
    }
    QString chooseFileToOpen(const QString& folder, const QStringList& filters) override
    {
        lastFolder = folder;
        lastFilters = filters;
        return takeFile().path;
    }
    SaveChoice chooseFileToSave(const QString& folder, const QStringList& filters) override
    {
        lastFolder = folder;
        lastFilters = filters;
        return takeFile();
    }

    QStringList chooseFilesToOpen(const QString& folder, const QStringList& filters) override
    {
        lastFolder = folder;
        lastFilters = filters;
        if (fileLists.empty())
            return {};
        QStringList chosen = fileLists.front();
        fileLists.pop_front();
        return chosen;
    }
    QString chooseFolder(const QString& caption, const QString& folder) override
    {
        lastFolder = folder;
        lastCaption = caption;
        return takeFile().path;
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
    QString lastCaption;

private:
    SaveChoice takeFile()
    {
        if (files.empty())
            return {};
        SaveChoice choice = files.front();
        files.pop_front();
        return choice;
    }
};

} // namespace reelkeep::testing
