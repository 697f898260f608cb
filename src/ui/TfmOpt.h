// The options dialog: four pages over the settings, Save and Cancel. It lives for the
// whole run and is filled anew each time it opens; nothing reaches the settings
// before Save, and a Save that cannot finish leaves the dialog open with the edits.
#pragma once

#include <QDialog>
#include <functional>

class QTabWidget;
class QPushButton;

namespace reelkeep {

class OptionsAdditionalPage;
class OptionsListsPage;
class OptionsMainPage;
class OptionsPage;
class OptionsSearchPage;
class Prompts;
class ShellState;
class TextRegistry;

class TfmOpt : public QDialog {
    Q_OBJECT
public:
    // reload runs after setup.ini was written: settings and plug-ins read again, every window refreshed.
    TfmOpt(ShellState& shell, Prompts& prompts, TextRegistry& texts, std::function<void()> reload,
           QWidget* parent = nullptr);

    // Fills every page from the current settings and shows the dialog modally without blocking.
    void ShowOptions();
    // True when the settings were written and reloaded.
    bool btnSaveClick();

private:
    bool saveSettings();
    void pageShown(int index);

    ShellState& m_shell;
    Prompts& m_prompts;
    std::function<void()> m_reload;
    QTabWidget* m_pages;
    OptionsMainPage* m_main;
    OptionsListsPage* m_lists;
    OptionsSearchPage* m_search;
    OptionsAdditionalPage* m_additional;
    QPushButton* m_save = nullptr;
};

} // namespace reelkeep
