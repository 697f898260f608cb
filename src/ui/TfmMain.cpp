#include "TfmMain.h"

#include "CloseAfterWork.h"
#include "DialogPrompts.h"
#include "ExportCommand.h"
#include "FileEntryCommands.h"
#include "ListController.h"
#include "MainMenu.h"
#include "PluginProbeJob.h"
#include "OverwriteQuestion.h"
#include "ProgramIdentity.h"
#include "PrintCommands.h"
#include "RecordCommands.h"
#include "RecoveryOffer.h"
#include "ReelkeepError.h"
#include "SheetColumns.h"
#include "TfmVersions.h"
#include "TMDIPanel.h"
#include "TfmAbout.h"
#include "TfmColumnsRen.h"
#include "TfmDuplicates.h"
#include "TfmRescan.h"
#include "TfmList.h"
#include "TfmOpt.h"
#include "TfmProgress.h"
#include "TzkReelkeep.h"
#include "UndoActions.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTreeView>
#include <QVBoxLayout>
#include <utility>

namespace reelkeep {

TfmMain::TfmMain(const QString& folder, Prompts* prompts)
    : m_shell(folder), m_mdi(new QMdiArea)
{
    setObjectName(QStringLiteral("fmMain"));
    setWindowTitle(ProgramName() + QLatin1Char(' ') + ProgramVersion());
    setMinimumSize(800, 550);
    if (!prompts) {
        m_ownPrompts = std::make_unique<DialogPrompts>(
            this, [this](const char* section, const char* key) { return m_shell.text(section, key); });
        prompts = m_ownPrompts.get();
    }
    m_prompts = prompts;
    m_mdi->setObjectName(QStringLiteral("mdiArea"));
    m_mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // The window bar, when there is one, goes below the MDI area.
    auto* frame = new QWidget;
    auto* layout = new QVBoxLayout(frame);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_mdi, 1);
    setCentralWidget(frame);
    m_menu = std::make_unique<MainMenu>(menuBar(), this, m_texts);
    m_printing = std::make_unique<PrintCommands>(m_shell, *m_prompts, this);
    m_undo = new UndoActions(m_menu->action("miUndo"), m_menu->action("miRedo"), m_menu->action("miUndoHistory"),
                             [this](const char* key) {
                                 return m_shell.options().LanguageTable.GetValue(QStringLiteral("Undo"), QString::fromLatin1(key));
                             }, this);
    connectCommands();
    connect(m_mdi, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* window) {
        if (auto* list = qobject_cast<TfmList*>(window); list && list->controller().document())
            list->RenameEdit();
        updateMenus();
    });
    m_probe = new PluginProbeJob(this);
    connect(m_probe, &PluginProbeJob::probed, this, [this](const std::shared_ptr<TzkPluginsPack>& plugins) {
        m_shell.setPlugins(std::make_unique<TzkPluginsPack>(std::move(*plugins)));
        updateMenus();
    });
    LoadListOfFiles();
    m_options = new TfmOpt(m_shell, *m_prompts, m_texts, [this] {
        LoadListOfFiles();
        UpdateConfig();
    }, this);
    updateMenus();
    UpdateMDIPanel();
}

TfmMain::~TfmMain()
{
    // The windows go with the base class, after the menus: they must not reach back.
    m_mdi->disconnect(this);
    for (TfmList* list : lists())
        list->disconnect(this);
    // Its texts come from the settings, which go before the windows' histories do.
    delete std::exchange(m_undo, nullptr);
}

void TfmMain::LoadListOfFiles()
{
    const QString failure = m_shell.reloadSettings();
    // The Export menu fills once the plug-ins have answered.
    m_probe->start(m_shell.folder());
    applyShortcuts();
    m_qtTranslations.follow(m_shell.text("Language", "QtLocale"));
    m_texts.apply(m_shell.options().LanguageTable);
    if (m_undo)
        m_undo->retranslate();
    if (m_mdiPanel)
        m_mdiPanel->TranslateControls();
    BuildListsMenu();
    // What was read is used; the user is told what was not.
    if (!failure.isEmpty())
        showMessage(m_shell.text("Shell", "SettingsFailed").arg(failure), PromptIcon::Error);
}

TextLookup TfmMain::lookup() const
{
    return [this](const QString& section, const QString& key) { return m_shell.options().LanguageTable.GetValue(section, key); };
}

void TfmMain::UpdateConfig()
{
    for (TfmList* list : lists()) {
        list->refillSearchSites();
        list->TranslateControls();
        // The status text was taken from the language the window started with.
        if (!list->controller().isLoading())
            list->controller().setStatus(m_shell.text("SBMessage", "Ready"));
        list->UpdateStatusBar();
    }
    updateMenus();
    UpdateMDIPanel();
    if (m_mdiPanel)
        m_mdiPanel->TranslateControls();
}

void TfmMain::UpdateMDIPanel()
{
    if (!m_shell.options().UseMDIPanel) {
        delete m_mdiPanel;
        m_mdiPanel = nullptr;
    } else if (!m_mdiPanel) {
        m_mdiPanel = new TMDIPanel(m_mdi, lookup());
        m_mdiPanel->setObjectName(QStringLiteral("MDIPanel"));
        centralWidget()->layout()->addWidget(m_mdiPanel);
        m_mdiPanel->show();
    }
}

void TfmMain::applyShortcuts()
{
    const zkOptions& options = m_shell.options();
    const auto shortcut = [](const QString& text) {
        const QKeySequence sequence = QKeySequence::fromString(text, QKeySequence::PortableText);
        return sequence.isEmpty() || sequence[0].key() == Qt::Key_unknown ? QKeySequence() : sequence;
    };
    m_menu->action("miSave")->setShortcut(shortcut(options.ShortCutSave));
    m_menu->action("miSaveAs")->setShortcut(shortcut(options.ShortCutSaveAs));
    m_menu->action("miNew")->setShortcut(shortcut(options.ShortCutNew));
    m_menu->action("miOpen")->setShortcut(shortcut(options.ShortCutOpen));
    for (int c = 1; c < kStoredColumnCount; ++c)
        m_menu->filterActions()[c - 1]->setShortcut(shortcut(options.ColShortCut[static_cast<size_t>(c)]));
}

void TfmMain::BuildListsMenu()
{
    // Cleared every time, so no entry outlives the settings it came from.
    QMenu* menu = m_menu->menu("miLists");
    menu->clear();
    const zkOptions& options = m_shell.options();
    for (int i = 0; i < options.ListCount && i < options.ListComments.size() && i < options.ListFileNames.size(); ++i) {
        QAction* item = menu->addAction(options.ListComments[i]);
        item->setProperty("tag", i);
        connect(item, &QAction::triggered, this, [this, path = options.ListFileNames[i]] { ListClick(path); });
    }
}

void TfmMain::ListClick(const QString& storedPath)
{
    const QString path = m_shell.resolve(storedPath);
    if (!QFileInfo(path).isFile()) {
        showMessage(m_shell.text("SysMessage", "FileNotExists"), PromptIcon::Error);
        return;
    }
    open(path, QDir::toNativeSeparators(path), false);
}

TfmList* TfmMain::OpenFile(const QString& path)
{
    return open(path, QFileInfo(path).fileName(), true);
}

TfmList* TfmMain::open(const QString& path, const QString& caption, bool askExtension)
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    for (TfmList* list : lists()) {
        if (!canonical.isEmpty() && QFileInfo(list->controller().path()).canonicalFilePath() == canonical) {
            m_mdi->setActiveSubWindow(list);
            return list;
        }
    }
    std::optional<CatalogueForm> form = ReadableFormOf(path);
    if (!form && askExtension) {
        if (m_prompts->ask({PromptIcon::Warning, QString(), m_shell.text("SysMessage", "UnknownExtLoadAsKDX"),
                            {PromptButton::Yes, PromptButton::No}})
            != PromptButton::Yes)
            return nullptr;
        form = CatalogueForm::Kdx21;
    }
    if (!form) {
        showMessage(m_shell.text("Shell", "NotCatalogue").arg(path), PromptIcon::Error);
        return nullptr;
    }
    TfmList* list = newListWindow(caption);
    list->LoadList(path, *form);
    updateMenus();
    return list;
}

TfmList* TfmMain::OpenCopy(const QString& file, const QString& path, std::optional<CatalogueForm> saveForm,
                           const QString& journalId)
{
    const std::optional<CatalogueForm> form = ReadableFormOf(file);
    if (!form)
        return nullptr;
    TfmList* list = newListWindow(QFileInfo(path).fileName());
    list->controller().loadCopy(file, *form, path, saveForm, journalId);
    updateMenus();
    return list;
}

void TfmMain::OfferRecovery()
{
    reelkeep::OfferRecovery(m_shell, *m_prompts, [this](const RecoveryEntry& entry) {
        OpenCopy(entry.journal, entry.catalogue, entry.form, entry.id);
    });
}

TfmList* TfmMain::newListWindow(const QString& caption)
{
    auto* list = new TfmList(m_shell, *m_prompts, m_texts);
    list->setCaption(caption);
    list->setClipboardActions(m_menu->clipboardActions());
    list->setFilterActions(m_menu->filterActions());
    // Shown once its first rows can be drawn; meanwhile the status bar shows the load.
    m_mdi->addSubWindow(list);
    list->hide();
    connect(list, &TfmList::columnsShown, this, [this, list] { listColumnsShown(list); });
    connect(list, &TfmList::stateChanged, this, &TfmMain::updateMenus);
    connect(list, &TfmList::printCoverRequested, this, [this, list] { m_printing->printCover(*list); });
    connect(list, &TfmList::printListRequested, this, [this, list] { m_printing->printList(*list); });
    connect(list, &QObject::destroyed, this, &TfmMain::updateMenus, Qt::QueuedConnection);
    connect(&list->closeAfterWork(), &CloseAfterWork::ended, this, [this, list](bool closed) {
        // A window whose close, after its work, started the save it asked for is still on its way out.
        if (!m_quitAfterSaves || (!closed && list->closeAfterWork().isPending()))
            return;
        m_quitAfterSaves = false;
        if (closed)
            close();
    });
    connect(&list->controller(), &ListController::loadStarted, this, [this, list](const QString& loaded) { showLoadProgress(list, loaded); });
    connect(list, &TfmList::loadDone, this, [this, list](bool ok) {
        // A reload that failed leaves the window with the catalogue it showed.
        if (ok) {
            m_mdi->setActiveSubWindow(list);
        } else if (!list->controller().document()) {
            m_mdi->removeSubWindow(list);
            list->deleteLater();
        }
        updateMenus();
    });
    connect(&list->controller(), &ListController::saveAsRequested, this, &TfmMain::miSaveAsClick);
    return list;
}

void TfmMain::showLoadProgress(TfmList* list, const QString& path)
{
    // Each load has its own progress, so that one ending leaves the others' standing.
    auto* progress = new TfmProgress;
    statusBar()->addPermanentWidget(progress);
    progress->setText(m_shell.text("SBMessage", "Loading") + QStringLiteral(": ") + QFileInfo(path).fileName());
    progress->SetProgress(0);
    connect(&list->controller(), &ListController::loadProgress, progress, &TfmProgress::SetProgress);
    connect(list, &QObject::destroyed, progress, &QObject::deleteLater);
    connect(list, &TfmList::loadDone, progress, [progress] {
        progress->SetProgress(100);
        progress->deleteLater();
    }, Qt::SingleShotConnection);
}

TfmList* TfmMain::activeList() const
{
    return qobject_cast<TfmList*>(m_mdi->currentSubWindow());
}

QList<TfmList*> TfmMain::lists() const
{
    QList<TfmList*> result;
    for (QMdiSubWindow* window : m_mdi->subWindowList(QMdiArea::CreationOrder))
        if (auto* list = qobject_cast<TfmList*>(window))
            result << list;
    return result;
}

void TfmMain::updateMenus()
{
    // From the live state: an active window whose catalogue is loaded.
    TfmList* list = activeList();
    const bool ready = list && list->controller().document() && !list->controller().isLoading() && !list->isBusy();
    m_menu->setListCommandsEnabled(ready);
    m_menu->action("miExport")->setEnabled(ready && !ExportFilters(m_shell.plugins()).isEmpty());
    const bool selected = ready && list->grid()->selectionModel()->hasSelection();
    m_menu->action("miCopy")->setEnabled(selected);
    m_menu->action("miCut")->setEnabled(selected);
    m_menu->action("miPaste")->setEnabled(ready && RecordCommands::CanPaste());
    // No window is active while another one (a dialog, the history window) is: the last
    // list window's history stays.
    if (m_undo && (list || lists().isEmpty()))
        m_undo->setActive(list && list->controller().document() ? &list->controller().history().stack() : nullptr, ready);
}

void TfmMain::listColumnsShown(TfmList* list)
{
    if (list != activeList())
        return;
    const TZKList* sheet = list->controller().currentList();
    m_menu->RenameMenuFilter(sheet);
    FillColumnMenu(m_menu->menu("miSortBy"), sheet, [this](int column) {
        if (TfmList* active = activeList())
            active->controller().sortBy(column);
    });
}

void TfmMain::showMessage(const QString& text, PromptIcon icon)
{
    m_prompts->ask({icon, QString(), text, {PromptButton::Ok}});
}

bool TfmMain::askOverwrite(const QString& path)
{
    return AskOverwrite(*m_prompts, m_shell, path);
}

void TfmMain::connectCommands()
{
    const auto onActive = [this](const char* name, auto command) {
        connect(m_menu->action(name), &QAction::triggered, this, [this, command] {
            if (TfmList* list = activeList(); list && list->controller().document() && !list->isBusy())
                command(*list);
        });
    };
    connect(m_menu->action("miNew"), &QAction::triggered, this, &TfmMain::miNewClick);
    connect(m_menu->action("miOpen"), &QAction::triggered, this, &TfmMain::miOpenClick);
    onActive("miSave", [](TfmList& list) { list.controller().save(); });
    connect(m_menu->action("miSaveAs"), &QAction::triggered, this, &TfmMain::miSaveAsClick);
    connect(m_menu->action("miClose"), &QAction::triggered, this, [this] {
        if (TfmList* list = activeList())
            list->close();
    });
    connect(m_menu->action("miExit"), &QAction::triggered, this, &QWidget::close);
    onActive("miRestoreVersion", [this](TfmList& list) {
        ShowVersions(list.controller().path(), m_shell, this,
                     [this](const QString& file, const QString& path) { OpenCopy(file, path, std::nullopt, QString()); });
    });
    connect(m_menu->action("miSaveColWidth"), &QAction::triggered, this, &TfmMain::miSaveColWidthClick);
    onActive("miLoadColWidth", [](TfmList& list) { list.LoadColumnWidth(); });
    onActive("miDelete", [](TfmList& list) { list.records().DelItem(); });
    onActive("miSelectAll", [](TfmList& list) { list.SelectAll(); });
    connect(m_menu->action("miAbout"), &QAction::triggered, this, [this] { ShowAbout(this, lookup()); });
    onActive("miPrintCover", [this](TfmList& list) { m_printing->printCover(list); });
    onActive("miPrintList", [this](TfmList& list) { m_printing->printList(list); });
    onActive("miExport", [this](TfmList& list) { ExportCatalogue(list.controller(), m_shell, *m_prompts, list.work()); });
    connect(m_menu->action("miListInfo"), &QAction::triggered, this, &TfmMain::showColumnDialog);
    connect(m_menu->action("miOptions"), &QAction::triggered, this, [this] { m_options->ShowOptions(); });
    onActive("miStat", [](TfmList& list) { list.CalculateStat(); });
    // Each filter item is one action of this window, in the main menu and every grid's
    // context menu alike, so its shortcut is never ambiguous.
    for (int c = 1; c < kStoredColumnCount; ++c)
        connect(m_menu->filterActions()[c - 1], &QAction::triggered, this, [this, c] {
            if (TfmList* list = activeList(); list && list->controller().document())
                list->ShowFilter(c);
        });
    onActive("miAddRow", [](TfmList& list) { list.records().AddRecord(); });
    onActive("miCopy", [](TfmList& list) { list.records().Copy(); });
    onActive("miCut", [](TfmList& list) { list.records().Cut(); });
    onActive("miPaste", [](TfmList& list) { list.records().Paste(); });
    onActive("miAddFromList", [](TfmList& list) { list.records().AddFromList(); });
    onActive("miRemoveSpaceAct", [](TfmList& list) { list.records().TidyColumn(csActors); });
    onActive("miRemoveSpaceRej", [](TfmList& list) { list.records().TidyColumn(csDirectors); });
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, &TfmMain::updateMenus);
    onActive("miAddFromFile", [](TfmList& list) { list.files().AddFromFile(); });
    onActive("miAddFromDir", [](TfmList& list) { list.files().AddFromFolder(); });
    connect(m_menu->action("miDuplicates"), &QAction::triggered, this, [this] { ShowDuplicates(*this, *m_prompts, m_texts); });
    onActive("miRescanDir", [this](TfmList& list) { RescanFolder(list, m_shell, m_texts); });
}

void TfmMain::miNewClick()
{
    const SaveChoice choice = m_prompts->chooseFileToSaveTitled(m_shell.text("FileDialogs", "New"), m_shell.options().LastListDir,
                                                                        NewCatalogueFilters(), 0);
    if (choice.path.isEmpty())
        return;
    const QString path = WithFilterExtension(choice.path, NewCatalogueFilters().value(choice.filterIndex));
    const std::optional<CatalogueForm> form = ReadableFormOf(path);
    if (!form) {
        showMessage(m_shell.text("Shell", "UnknownSaveExtension").arg(path), PromptIcon::Error);
        return;
    }
    if (!askOverwrite(path))
        return;
    const zkOptions& options = m_shell.options();
    TzkReelkeep document(options.ColumnTemplate(), options.Formats);
    ApplyColumnDefinitions(*document.AddList(0, m_shell.text("Other", "PageDefName")), options.ColumnTemplate());
    try {
        document.Save(path, *form);
    } catch (const ReelkeepError& error) {
        showMessage(m_shell.text("Shell", "SaveFailed").arg(path, m_shell.render(error.text())), PromptIcon::Error);
        return;
    }
    OpenFile(path);
}

void TfmMain::miOpenClick()
{
    zkOptions& options = m_shell.options();
    const QString path = m_prompts->chooseFileToOpenTitled(m_shell.text("FileDialogs", "Open"), options.LastListDir,
                                                              CatalogueFilters(m_shell.text("Other", "AllFiles")));
    if (path.isEmpty())
        return;
    if (!QFileInfo(path).isFile()) {
        showMessage(m_shell.text("SysMessage", "FileNotExists"), PromptIcon::None);
        return;
    }
    options.LastListDir = QFileInfo(path).absolutePath();
    OpenFile(path);
}

void TfmMain::miSaveAsClick()
{
    TfmList* list = activeList();
    if (!list || !list->controller().document() || list->isBusy())
        return;
    list->controller().chooseAndSaveAs(std::nullopt);
}

void TfmMain::miSaveColWidthClick()
{
    TfmList* list = activeList();
    if (!list || !list->controller().document())
        return;
    list->controller().storeColumnWidths(list->columnWidths());
    if (const QString failure = m_shell.SaveSettings(); !failure.isEmpty())
        showMessage(m_shell.text("Shell", "SettingsNotSaved").arg(failure), PromptIcon::Error);
}

void TfmMain::showColumnDialog()
{
    TfmList* list = activeList();
    if (!list || !list->controller().document())
        return;
    // Lives for one use; modal without blocking, so the window's work goes on meanwhile.
    auto* dialog = new TfmColumnsRen(list->controller(), m_shell, m_texts, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(list, &QObject::destroyed, dialog, &QWidget::close);
    dialog->open();
}

void TfmMain::closeEvent(QCloseEvent* event)
{
    // Every window is asked in window order; one that refuses keeps itself and the main window.
    // When the only refusals are windows whose saves are under way, quitting goes on once they end.
    bool refused = false;
    bool onlySaving = true;
    for (TfmList* list : lists())
        if (!list->close()) {
            refused = true;
            onlySaving = onlySaving && list->closeAfterWork().isPending();
        }
    m_quitAfterSaves = refused && onlySaving;
    if (refused)
        event->ignore();
    else
        QMainWindow::closeEvent(event);
}

} // namespace reelkeep
