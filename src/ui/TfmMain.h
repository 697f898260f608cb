// The main window: the MDI frame of the list windows, the one set of commands that
// act on the active list window, and the owner of the process-wide objects.
#pragma once

#include "CatalogueForms.h"
#include "Prompts.h"
#include "QtTranslations.h"
#include "ShellState.h"
#include "TextLookup.h"
#include "TextRegistry.h"

#include <QMainWindow>
#include <memory>
#include <optional>

class QMdiArea;

namespace reelkeep {

class MainMenu;
class PrintCommands;
class PluginProbeJob;
class TMDIPanel;
class TfmList;
class UndoActions;
class TfmOpt;

class TfmMain : public QMainWindow {
    Q_OBJECT
public:
    // folder is the program folder; prompts answer the questions (real dialogs when null).
    explicit TfmMain(const QString& folder, Prompts* prompts = nullptr);
    ~TfmMain() override;

    // Opens a catalogue in a new list window (or brings the window that has it open to
    // the front); null when nothing was opened. The load goes on in the background.
    TfmList* OpenFile(const QString& path);
    // The active list window, or null.
    TfmList* activeList() const;
    // The list windows in window order.
    QList<TfmList*> lists() const;
    QMdiArea* mdiArea() const { return m_mdi; }
    MainMenu& menus() { return *m_menu; }
    ShellState& shell() { return m_shell; }
    const TextRegistry& texts() const { return m_texts; }
    PrintCommands& printing() { return *m_printing; }

    // Offers, one by one, the unsaved work of windows that were not closed cleanly.
    void OfferRecovery();
    // Opens a copy of a catalogue (a recovery file, an earlier version) as a modified
    // window of the catalogue at path; see ListController::loadCopy.
    TfmList* OpenCopy(const QString& file, const QString& path, std::optional<CatalogueForm> saveForm,
                      const QString& journalId);

    // The settings read again and the plug-ins probed again, then the shortcuts, the menu
    // captions and the Lists menu follow them: at start and after every options save.
    void LoadListOfFiles();
    // Every list window's texts, search sites and status bar, then the window bar, after the settings changed.
    void UpdateConfig();
    // The window bar exists exactly while the setting "UseMDIPanel" is on.
    void UpdateMDIPanel();
    TMDIPanel* mdiPanel() const { return m_mdiPanel; }
    TfmOpt* optionsDialog() const { return m_options; }
    const PluginProbeJob& pluginProbe() const { return *m_probe; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    TfmList* open(const QString& path, const QString& caption, bool askExtension);
    // A new list window, connected to this window, hidden until its load has finished.
    TfmList* newListWindow(const QString& caption);
    // A progress of its own in the status bar for one load of the window, gone when it ends.
    void showLoadProgress(TfmList* list, const QString& path);
    void connectCommands();
    void applyShortcuts();
    void BuildListsMenu();
    void ListClick(const QString& storedPath);
    void updateMenus();
    void listColumnsShown(TfmList* list);
    void showMessage(const QString& text, PromptIcon icon);
    bool askOverwrite(const QString& path);
    TextLookup lookup() const;

    void miNewClick();
    void miOpenClick();
    void miSaveAsClick();
    void miSaveColWidthClick();
    // The column settings dialog of the active window's current sheet.
    void showColumnDialog();

    ShellState m_shell;
    TextRegistry m_texts;
    QtTranslations m_qtTranslations;
    std::unique_ptr<Prompts> m_ownPrompts;
    Prompts* m_prompts;
    QMdiArea* m_mdi;
    std::unique_ptr<MainMenu> m_menu;
    std::unique_ptr<PrintCommands> m_printing;
    TMDIPanel* m_mdiPanel = nullptr;
    TfmOpt* m_options = nullptr;
    PluginProbeJob* m_probe = nullptr;
    UndoActions* m_undo = nullptr;
    // Quit waits for the saves under way; the windows that were saving close when theirs end.
    bool m_quitAfterSaves = false;
};

} // namespace reelkeep
