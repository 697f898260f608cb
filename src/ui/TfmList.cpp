#include "TfmList.h"

#include "BuddyLabel.h"
#include "FileEntryCommands.h"
#include "FilterForms.h"
#include "GridModel.h"
#include "GridSelection.h"
#include "CatalogueSafety.h"
#include "ListCaption.h"
#include "ListController.h"
#include "QuickSearchBar.h"
#include "MainMenu.h"
#include "Prompts.h"
#include "RecordCommands.h"
#include "RecordGrid.h"
#include "SheetSelector.h"
#include "ShellState.h"
#include "StatisticsCommand.h"
#include "TextRegistry.h"
#include "ToolBarRows.h"
#include "TzkRecordPanel.h"
#include "TzkReelkeep.h"
#include "WebSearchBar.h"
#include "WindowWork.h"
#include "CloseAfterWork.h"
#include "UndoActions.h"
#include "UndoSelection.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollArea>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

namespace reelkeep {
namespace {

constexpr std::array<int, 6> kStatusWidths = {80, 115, 70, 165, 150, 50};

bool isNavigationKey(int key)
{
    return key == Qt::Key_PageUp || key == Qt::Key_PageDown || key == Qt::Key_End || key == Qt::Key_Home
        || key == Qt::Key_Up || key == Qt::Key_Down;
}

} // namespace

TfmList::TfmList(ShellState& shell, Prompts& prompts, TextRegistry& texts, QWidget* parent)
    : QMdiSubWindow(parent),
      m_shell(shell),
      m_prompts(prompts),
      m_texts(texts),
      m_controller(new ListController(shell, prompts, this)),
      m_grid(new RecordGrid),
      m_recordPanel(new TzkRecordPanel([&shell]() -> zkOptions& { return shell.options(); }, [&shell](const char* section, const char* key) {
          return shell.text(section, key);
      })),
      m_panel(new QScrollArea),
      m_splitter(new QSplitter(Qt::Vertical)),
      m_sheets(new QComboBox),
      m_sites(new QComboBox),
      m_search(new QComboBox),
      m_searchColumn(new QComboBox),
      m_contextMenu(new QMenu(this)),
      m_contextFilter(new QMenu(m_contextMenu)),
      m_contextSort(new QMenu(m_contextMenu)),
      m_filters(new FilterForms(this, *m_controller, shell, texts))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("fmList"));
    setMinimumSize(790, 519);
    auto* holder = new QWidget;
    auto* layout = new QVBoxLayout(holder);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* bars = new ToolBarRows(holder);
    bars->setObjectName(QStringLiteral("tbRows"));
    buildToolBar(bars);
    layout->addWidget(bars);

    m_panel->setObjectName(QStringLiteral("sbRecord"));
    m_panel->setWidget(m_recordPanel);
    m_panel->setWidgetResizable(true);
    m_panel->setFrameShape(QFrame::NoFrame);
    m_grid->setObjectName(QStringLiteral("lvList"));
    m_grid->setModel(m_controller->model());
    m_selection = new GridSelection(*m_grid, *m_controller->model(), this);
    // The record shown and every command follow the selection, whether it changed by
    // mouse, keys, Select all, quick search or a command.
    connect(m_grid->selectionModel(), &QItemSelectionModel::selectionChanged, m_selection, &GridSelection::follow);
    connect(m_selection, &GridSelection::currentChanged, this, &TfmList::showCurrent);
    connect(m_recordPanel, &TzkRecordPanel::stepRecord, m_selection, &GridSelection::step);
    m_webSearch = new WebSearchBar(m_sites, m_searchButton, *m_selection, shell, prompts, this);
    m_grid->installEventFilter(this);
    QHeaderView* header = m_grid->header();
    header->viewport()->installEventFilter(this);
    m_splitter->addWidget(m_panel);
    m_splitter->addWidget(m_grid);
    m_splitter->setHandleWidth(8);
    m_splitter->setStretchFactor(1, 1);
    layout->addWidget(m_splitter, 1);

    auto* statusBar = new QStatusBar;
    statusBar->setSizeGripEnabled(false);
    for (size_t i = 0; i < m_status.size(); ++i) {
        m_status[i] = new QLabel;
        m_status[i]->setMinimumWidth(kStatusWidths[i]);
        statusBar->addWidget(m_status[i], i == m_status.size() - 1 ? 1 : 0);
    }
    layout->addWidget(statusBar);
    setWidget(holder);
    m_work = new WindowWork(holder, shell.text("Other", "Cancel"), this);
    m_controller->setWork(*m_work);
    connect(m_work, &WindowWork::runningChanged, this, &TfmList::stateChanged);
    m_closeAfterWork = new CloseAfterWork(*this, *m_work, *m_controller);
    m_files = new FileEntryCommands(*m_selection, *m_recordPanel, *m_controller, shell, prompts, *m_work, this);
    m_records = new RecordCommands(*m_selection, *this, *m_recordPanel, *m_controller, *m_files, shell, prompts, texts);
    // Undo and redo show the records as they were; the undo keys in the fields are the window's.
    m_controller->setSelectionKeeper(new UndoSelection(*m_grid, *m_controller->model(), *m_selection, this));
    RouteUndoKeys(m_recordPanel);
    RouteUndoKeys(m_sheets);

    m_contextMenu->addMenu(m_contextFilter);
    m_contextMenu->addMenu(m_contextSort);
    m_contextMenu->addSeparator();
    m_texts.bind(m_contextFilter->menuAction(), "MainMenu", "Filter");
    m_texts.bind(m_contextSort->menuAction(), "MainMenu", "SortBy");
    connect(m_grid, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { m_contextMenu->popup(m_grid->viewport()->mapToGlobal(at)); });

    // The header turns its indicator at the click; it shows the sheet's order again, which
    // a failed sort left as it was.
    connect(header, &QHeaderView::sectionClicked, this, [this](int column) {
        m_controller->sortBy(column);
        showSortIndicator();
    });
    connect(m_grid, &QAbstractItemView::clicked, m_selection, &GridSelection::follow);
    connect(m_controller, &ListController::statusChanged, this, &TfmList::UpdateStatusBar);
    connect(m_controller, &ListController::currentRecordCleared, m_selection, &GridSelection::clear);
    connect(m_controller, &ListController::columnsChanged, this, &TfmList::RenameEdit);
    connect(m_controller, &ListController::columnsChanged, m_filters, &FilterForms::sheetChanged);
    connect(m_controller->model(), &QAbstractItemModel::layoutChanged, this, &TfmList::showSortIndicator);
    connect(m_controller, &ListController::pathChanged, this, [this](const QString& path) { setCaption(QFileInfo(path).fileName()); });
    connect(m_controller, &ListController::modifiedChanged, this, &QWidget::setWindowModified);
    connect(&m_controller->safety(), &CatalogueSafety::readOnlyChanged, this, [this] { setCaption(caption()); });
    connect(m_controller, &ListController::loadFinished, this, [this](bool ok) {
        if (ok) {
            // Shown once there are rows to draw, at its size, so the panel gets its stored height.
            showMaximized();
            m_splitter->setSizes({m_shell.options().SplitterPos, std::max(1, m_splitter->height() - m_shell.options().SplitterPos)});
            LoadColumnWidth();
            m_grid->setFocus();
        }
        emit loadDone(ok);
    });
    TranslateControls();
    refillSearchSites();
    m_selection->clear();
    UpdateStatusBar();
}

QToolButton* TfmList::addButton(QToolBar* bar, const char* name, int icon, const char* section, const char* key)
{
    auto* button = new QToolButton;
    button->setObjectName(QString::fromLatin1(name));
    button->setIcon(style()->standardIcon(static_cast<QStyle::StandardPixmap>(icon)));
    button->setAutoRaise(true);
    m_texts.bind(button, section, key, TextRegistry::Role::Name);
    bar->addWidget(button);
    return button;
}

void TfmList::buildToolBar(ToolBarRows* bars)
{
    QToolBar* bar = bars->addBar();
    bar->setIconSize(QSize(16, 16));
    connect(addButton(bar, "btnSave", QStyle::SP_DialogSaveButton, "MainMenu", "Save"), &QToolButton::clicked, this,
            [this] { m_controller->save(); });
    bar->addSeparator();
    connect(addButton(bar, "btnAddRow", QStyle::SP_FileIcon, "ListHints", "Add"), &QToolButton::clicked, this,
            [this] { m_records->AddRecord(); });
    connect(addButton(bar, "btnAddFromFile", QStyle::SP_DialogOpenButton, "ListHints", "AddFromFile"), &QToolButton::clicked,
            this, [this] { m_files->AddFromFile(); });
    connect(addButton(bar, "btnAddFromDir", QStyle::SP_DirOpenIcon, "ListHints", "AddFromDir"), &QToolButton::clicked, this,
            [this] { m_files->AddFromFolder(); });
    m_deleteButton = addButton(bar, "btnDelete", QStyle::SP_TrashIcon, "ListHints", "Delete");
    connect(m_deleteButton, &QToolButton::clicked, this, [this] { m_records->DelItem(); });
    m_groupButton = addButton(bar, "btnGroup", QStyle::SP_FileDialogListView, "Shell", "Group");
    connect(m_groupButton, &QToolButton::clicked, this, [this] { m_records->GroupSelected(); });
    bar->addSeparator();
    m_printCoverButton = addButton(bar, "btnPrintCover", QStyle::SP_DriveCDIcon, "ListHints", "PrintCover");
    connect(m_printCoverButton, &QToolButton::clicked, this, &TfmList::printCoverRequested);
    connect(addButton(bar, "btnPrintList", QStyle::SP_FileDialogDetailedView, "ListHints", "PrintList"),
            &QToolButton::clicked, this, &TfmList::printListRequested);
    bar->addSeparator();

    m_sheets->setObjectName(QStringLiteral("cbLists"));
    m_sheets->setEditable(true);
    m_sheets->setInsertPolicy(QComboBox::NoInsert);
    m_sheets->setMinimumWidth(140);
    m_texts.bind(m_sheets, "Shell", "Sheets", TextRegistry::Role::Name);
    bar->addWidget(MakeBuddyLabel(m_sheets, m_texts, "Shell", "Sheets"));
    bar->addWidget(m_sheets);
    m_sheetSelector = new SheetSelector(m_sheets, m_grid, *m_controller, m_shell, m_prompts, this);
    connect(addButton(bar, "btnAddList", QStyle::SP_FileDialogNewFolder, "ListHints", "AddList"), &QToolButton::clicked,
            m_sheetSelector, &SheetSelector::AddSheet);
    connect(addButton(bar, "btnDeleteList", QStyle::SP_DialogDiscardButton, "ListHints", "DeleteList"),
            &QToolButton::clicked, m_sheetSelector, &SheetSelector::DeleteSheet);

    // Web search on a bar of its own, so that the labelled boxes still fit at 800 pixels.
    bar = bars->addBar();
    m_sites->setObjectName(QStringLiteral("cbSearchURL"));
    m_sites->setMinimumWidth(110);
    m_texts.bind(m_sites, "Shell", "SearchSite", TextRegistry::Role::Name);
    bar->addWidget(MakeBuddyLabel(m_sites, m_texts, "Shell", "SearchSite"));
    bar->addWidget(m_sites);
    m_searchButton = addButton(bar, "btnSearch", QStyle::SP_ArrowRight, "ListHints", "FilmSearch");

    // Quick search on a bar of its own, which goes under the first in a narrow window.
    bar = bars->addBar();

    m_search->setObjectName(QStringLiteral("cbSearch"));
    m_search->setEditable(true);
    m_search->setInsertPolicy(QComboBox::NoInsert);
    m_search->setFixedWidth(145);
    m_texts.bind(m_search, "ListHints", "ComboSearch", TextRegistry::Role::Name);
    m_texts.bind(m_search, "ListHints", "ComboSearch", TextRegistry::Role::Placeholder);
    m_searchColumn->setObjectName(QStringLiteral("cbSearchColumn"));
    m_searchColumn->setFixedWidth(130);
    m_texts.bind(m_searchColumn, "Shell", "SearchColumn", TextRegistry::Role::Name);
    bar->addWidget(MakeBuddyLabel(m_searchColumn, m_texts, "Shell", "SearchColumn"));
    bar->addWidget(m_searchColumn);
    bar->addWidget(MakeBuddyLabel(m_search, m_texts, "ListHints", "ComboSearch"));
    bar->addWidget(m_search);
    m_quickSearch = new QuickSearchBar(m_searchColumn, m_search, m_grid, *m_controller->model(), m_shell);
    connect(m_quickSearch, &QuickSearchBar::selectionMoved, this, [this] { m_selection->follow(); });
}

void TfmList::setCaption(const QString& caption)
{
    // The desktop's modified mark stands where "[*]" is.
    const QString mark = m_controller->safety().isReadOnly() ? QString(QLatin1Char(' ') + m_shell.text("Safety", "ReadOnlyMark")) : QString();
    setWindowTitle(caption + mark + QStringLiteral("[*]"));
}

QString TfmList::caption() const
{
    return BareCaption(*this, m_shell);
}

void TfmList::TranslateControls()
{
    m_texts.apply(m_shell.options().LanguageTable);
    // The field buttons' hints depend on the columns too, so the panel sets them itself.
    m_recordPanel->setColumns(m_controller->currentList());
}

void TfmList::setClipboardActions(const QList<QAction*>& actions)
{
    m_contextMenu->addActions(actions);
}

void TfmList::setFilterActions(const QList<QAction*>& actions)
{
    m_contextFilter->addActions(actions);
}

void TfmList::LoadList(const QString& path, CatalogueForm form)
{
    m_controller->load(path, form);
}

void TfmList::LoadColumnWidth()
{
    if (const TZKList* list = m_controller->currentList())
        m_grid->applyColumnLayout(*list, m_shell.options());
}

std::vector<int> TfmList::columnWidths() const
{
    return m_grid->storedColumnWidths();
}

void TfmList::RenameEdit()
{
    m_controller->model()->headerChanged();
    const TZKList* list = m_controller->currentList();
    m_quickSearch->refillColumns(list);
    showSortIndicator();
    m_recordPanel->setColumns(list);
    FillColumnMenu(m_contextSort, list, [this](int column) { m_controller->sortBy(column); });
    emit columnsShown();
}

void TfmList::showSortIndicator()
{
    if (const TZKList* list = m_controller->currentList())
        m_grid->header()->setSortIndicator(list->SortColumn, list->SortDescending ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void TfmList::ShowFilter(int column)
{
    m_filters->ShowFilter(column);
}

void TfmList::CalculateStat()
{
    if (const TZKList* list = m_controller->currentList())
        ShowStatistics(*list, selectedRecords(), caption(), m_shell, m_prompts, *m_work, this);
}

void TfmList::UpdateStatusBar()
{
    const QStringList texts = m_controller->statusTexts();
    for (size_t i = 0; i < m_status.size(); ++i)
        m_status[i]->setText(texts[static_cast<int>(i)]);
}

bool TfmList::isBusy() const
{
    return m_work->isRunning();
}

RecordSelection& TfmList::selection()
{
    return *m_selection;
}

TzkRow* TfmList::currentRecord() const
{
    return m_selection->currentRecord();
}

std::vector<TzkRow*> TfmList::selectedRecords() const
{
    return m_selection->selectedRecords();
}

void TfmList::focusRecord(const TzkRow* row)
{
    m_selection->focusRecord(row);
}

void TfmList::showCurrent()
{
    const bool any = currentRecord() != nullptr;
    for (QToolButton* button : {m_deleteButton, m_groupButton, m_printCoverButton})
        button->setEnabled(any);
    m_webSearch->enable();
    m_recordPanel->showRecord(currentRecord(), m_controller->imagesOf(currentRecord()));
    emit stateChanged();
}

void TfmList::refillSearchSites()
{
    m_webSearch->refillSites();
}

void TfmList::setUrlOpener(UrlOpener opener)
{
    m_webSearch->setUrlOpener(std::move(opener));
}

void TfmList::SelectAll()
{
    m_grid->selectAll();
}

void TfmList::AddSheet()
{
    m_sheetSelector->AddSheet();
}

void TfmList::DeleteSheet()
{
    m_sheetSelector->DeleteSheet();
}

bool TfmList::eventFilter(QObject* watched, QEvent* event)
{
    // The header sorts on a click of any button; the left one comes as sectionClicked.
    if (watched == m_grid->header()->viewport() && event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        const int column = m_grid->header()->logicalIndexAt(mouse->position().toPoint());
        if (mouse->button() != Qt::LeftButton && column >= 0) {
            m_controller->sortBy(column);
            return true;
        }
    }
    if (watched == m_grid && event->type() == QEvent::KeyRelease
        && isNavigationKey(static_cast<QKeyEvent*>(event)->key()))
        m_selection->follow();
    return QMdiSubWindow::eventFilter(watched, event);
}

void TfmList::closeEvent(QCloseEvent* event)
{
    // Long work is not waited for behind a frozen window: its progress shows until it ends,
    // and the window closes then. A save runs to its end; other work is stopped first, and
    // what it finished stays, as after Cancel.
    if (m_work->isRunning()) {
        event->ignore();
        m_work->cancel();
        m_closeAfterWork->defer(CloseAfterWork::When::Ended);
        return;
    }
    if (m_controller->isModified()) {
        // The question stands over the window it concerns and names its file.
        if (QMdiArea* area = mdiArea())
            area->setActiveSubWindow(this);
        const PromptButton answer = m_prompts.ask({PromptIcon::Question, m_shell.text("SysMessage", "SaveFile"),
                                                   m_shell.text("SysMessage", "FileNotSave") + QStringLiteral("\n\n")
                                                       + QDir::toNativeSeparators(m_controller->path()),
                                                   {PromptButton::Yes, PromptButton::No, PromptButton::Cancel}});
        if (answer == PromptButton::Yes && m_controller->save()) {
            event->ignore();
            m_closeAfterWork->defer(CloseAfterWork::When::Saved);
            return;
        }
        if (answer == PromptButton::Cancel || answer == PromptButton::Yes) {
            event->ignore();
            return;
        }
        if (answer == PromptButton::No)
            m_controller->discardChanges();
    }
    if (m_controller->document()) {
        m_shell.options().SplitterPos = m_splitter->sizes().value(0, m_shell.options().SplitterPos);
        if (const QString failure = m_shell.SaveSettingsOnce(); !failure.isEmpty())
            m_prompts.ask({PromptIcon::Error, m_shell.text("Shell", "Error"),
                           m_shell.text("Shell", "SettingsNotSaved").arg(failure), {PromptButton::Ok}});
    }
    QMdiSubWindow::closeEvent(event);
}

} // namespace reelkeep
