#include "TfmList.h"

#include "BuddyLabel.h"
#include "ColumnWidthScale.h"
#include "FileEntryCommands.h"
#include "FilterForms.h"
#include "GridModel.h"
#include "CatalogueSafety.h"
#include "ListController.h"
#include "QuickSearchBar.h"
#include "Statistics.h"
#include "TfmStat.h"
#include "ChartData.h"
#include "ChartsPage.h"
#include "MainMenu.h"
#include "Prompts.h"
#include "RecordCommands.h"
#include "RecordGrid.h"
#include "ShellState.h"
#include "TextRegistry.h"
#include "ToolBarRows.h"
#include "TzkRecordPanel.h"
#include "TzkReelkeep.h"
#include "WindowWork.h"
#include "GridSelection.h"
#include "UndoActions.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>
#include <tuple>
#include <unordered_set>
#include <utility>
#include <numeric>

namespace reelkeep {
namespace {

// Cells with horizontal and vertical grid lines.
class GridLinesDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::paint(painter, option, index);
        painter->save();
        painter->setPen(option.palette.color(QPalette::Midlight));
        painter->drawLine(option.rect.topRight(), option.rect.bottomRight());
        painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
        painter->restore();
    }
};

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
    m_records = new RecordCommands(*this, *m_recordPanel, shell, prompts, texts);
    m_grid->setObjectName(QStringLiteral("lvList"));
    m_grid->setModel(m_controller->model());
    // The record shown and every command follow the selection, whether it changed by
    // mouse, keys, Select all, quick search or a command.
    connect(m_grid->selectionModel(), &QItemSelectionModel::selectionChanged, this, &TfmList::lvListClick);
    m_grid->setUniformRowHeights(true);
    m_grid->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setAllColumnsShowFocus(true);
    // The tree's indentation goes to the title, so the numbers of column 0 stay readable.
    m_grid->setTreePosition(1);
    m_grid->setItemDelegate(new GridLinesDelegate(m_grid));
    m_grid->setContextMenuPolicy(Qt::CustomContextMenu);
    m_grid->installEventFilter(this);
    QHeaderView* header = m_grid->header();
    header->setSectionsMovable(true);
    header->setSectionsClickable(true);
    header->setMinimumSectionSize(0);
    header->setStretchLastSection(false);
    header->setSortIndicatorShown(true);
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
    connect(m_work, &WindowWork::runningChanged, this, &TfmList::stateChanged);
    m_files = new FileEntryCommands(*this, *m_recordPanel, shell, prompts, *m_work);
    // Undo and redo show the records as they were; the undo keys in the fields are the window's.
    m_controller->setSelectionKeeper(new GridSelection(m_grid, *m_controller->model(), [this] { return currentRecord(); },
                                                       [this](const TzkRow* row) { focusRecord(row); }, this));
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
    connect(m_grid, &QAbstractItemView::clicked, this, &TfmList::lvListClick);
    connect(m_controller, &ListController::statusChanged, this, &TfmList::UpdateStatusBar);
    connect(m_controller, &ListController::currentRecordCleared, this, &TfmList::clearCurrent);
    connect(m_controller, &ListController::sheetsChanged, this, &TfmList::refillSheets);
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
    clearCurrent();
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
    connect(m_deleteButton, &QToolButton::clicked, this, &TfmList::DelItem);
    m_groupButton = addButton(bar, "btnGroup", QStyle::SP_FileDialogListView, "Shell", "Group");
    connect(m_groupButton, &QToolButton::clicked, this, &TfmList::GroupSelected);
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
    connect(m_sheets, &QComboBox::activated, this, [this](int index) {
        m_controller->switchSheet(index);
        m_grid->setFocus();
    });
    connect(m_sheets->lineEdit(), &QLineEdit::textEdited, this,
            [this](const QString& text) { m_controller->renameCurrentSheet(text); });
    m_sheets->lineEdit()->installEventFilter(this);
    connect(addButton(bar, "btnAddList", QStyle::SP_FileDialogNewFolder, "ListHints", "AddList"), &QToolButton::clicked,
            this, &TfmList::AddSheet);
    connect(addButton(bar, "btnDeleteList", QStyle::SP_DialogDiscardButton, "ListHints", "DeleteList"),
            &QToolButton::clicked, this, &TfmList::DeleteSheet);

    // Web search on a bar of its own, so that the labelled boxes still fit at 800 pixels.
    bar = bars->addBar();
    m_sites->setObjectName(QStringLiteral("cbSearchURL"));
    m_sites->setMinimumWidth(110);
    m_texts.bind(m_sites, "Shell", "SearchSite", TextRegistry::Role::Name);
    bar->addWidget(MakeBuddyLabel(m_sites, m_texts, "Shell", "SearchSite"));
    bar->addWidget(m_sites);
    m_searchButton = addButton(bar, "btnSearch", QStyle::SP_ArrowRight, "ListHints", "FilmSearch");
    connect(m_searchButton, &QToolButton::clicked, this, &TfmList::btnSearchClick);

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
    connect(m_quickSearch, &QuickSearchBar::selectionMoved, this, &TfmList::lvListClick);
}

void TfmList::setCaption(const QString& caption)
{
    // The desktop's modified mark stands where "[*]" is.
    const QString mark = m_controller->safety().isReadOnly() ? QString(QLatin1Char(' ') + m_shell.text("Safety", "ReadOnlyMark")) : QString();
    setWindowTitle(caption + mark + QStringLiteral("[*]"));
}

QString TfmList::caption() const
{
    return windowTitle().remove(QStringLiteral("[*]")).remove(QString(QLatin1Char(' ') + m_shell.text("Safety", "ReadOnlyMark")));
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
    const TZKList* list = m_controller->currentList();
    if (!list)
        return;
    QHeaderView* header = m_grid->header();
    const zkOptions& options = m_shell.options();
    std::vector<int> order(GridModel::kShownColumns);
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&options](int a, int b) {
        return options.ColPos[static_cast<size_t>(a)] < options.ColPos[static_cast<size_t>(b)];
    });
    for (int visual = 0; visual < static_cast<int>(order.size()); ++visual)
        header->moveSection(header->visualIndex(order[static_cast<size_t>(visual)]), visual);
    const ColumnWidthScale scale(m_grid->fontMetrics());
    // A number cut short reads as another number, so a shown number column takes its widest value.
    const int margin = m_grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, m_grid) + 1;
    for (int c = 0; c < GridModel::kShownColumns; ++c) {
        int width = scale.shown(std::max(0, list->Column(c).Width));
        if (width > 0 && list->Column(c).Type == ctNumber)
            width = std::max(width, WidestValueWidth(*m_grid->model(), c, m_grid->fontMetrics(), margin));
        header->resizeSection(c, width);
    }
    header->resizeSection(GridModel::kShownColumns - 1, 0);
}

std::vector<int> TfmList::columnWidths() const
{
    const ColumnWidthScale scale(m_grid->fontMetrics());
    std::vector<int> widths;
    for (int c = 0; c < GridModel::kShownColumns; ++c)
        widths.push_back(scale.stored(m_grid->header()->sectionSize(c)));
    return widths;
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
    const TZKList* list = m_controller->currentList();
    if (!list)
        return;
    const std::vector<TzkRow*> selected = selectedRecords();
    const std::vector<const TzkRow*> selection(selected.begin(), selected.end());
    auto* window = new TfmStat(m_shell.text("Statistic", "Caption") + QLatin1Char(' ') + caption(),
                               StatisticsLines(*list, selection, m_shell.options().LanguageTable),
                               m_shell.text("Statistic", "Ok"), this);
    const QString other = m_shell.text("Charts", "Other");
    window->addPage(new ChartsPage(ComputeCharts(*list, ConsideredRows(*list, selection, false), other),
                                   ComputeCharts(*list, selection, other), m_shell, m_prompts),
                    m_shell.text("Charts", "PageFigures"), m_shell.text("Charts", "PageCharts"));
    window->open();
}

void TfmList::UpdateStatusBar()
{
    const QStringList texts = m_controller->statusTexts();
    for (size_t i = 0; i < m_status.size(); ++i)
        m_status[i]->setText(texts[static_cast<int>(i)]);
    // Long work runs on this thread between repaints: show the status at once.
    m_status.back()->repaint();
}

bool TfmList::isBusy() const
{
    return m_work->isRunning();
}

TzkRow* TfmList::currentRecord() const
{
    return m_controller->model()->rowAt(m_current);
}

std::vector<TzkRow*> TfmList::selectedRecords() const
{
    std::unordered_set<const TzkRow*> selected;
    for (const QModelIndex& index : m_grid->selectionModel()->selectedRows())
        selected.insert(m_controller->model()->rowAt(index));
    std::vector<TzkRow*> rows = m_controller->model()->shownRows();
    std::erase_if(rows, [&selected](const TzkRow* row) { return !selected.contains(row); });
    return rows;
}

void TfmList::lvListClick()
{
    // The record shown stays while it is selected; else the current row when selected,
    // else the first row selected.
    const QItemSelectionModel* selection = m_grid->selectionModel();
    const auto isSelected = [selection](const QModelIndex& index) {
        return index.isValid() && selection->isRowSelected(index.row(), index.parent());
    };
    if (!isSelected(m_current)) {
        const QModelIndex current = m_grid->currentIndex();
        const QModelIndexList selected = selection->selectedRows();
        m_current = isSelected(current) ? current.siblingAtColumn(0) : selected.isEmpty() ? QModelIndex() : selected.front();
    }
    const bool any = m_current.isValid();
    for (QToolButton* button : {m_deleteButton, m_groupButton, m_printCoverButton})
        button->setEnabled(any);
    enableSearch();
    m_recordPanel->showRecord(currentRecord(), m_controller->imagesOf(currentRecord()));
    emit stateChanged();
}

void TfmList::clearCurrent()
{
    m_current = QModelIndex();
    for (QToolButton* button : {m_deleteButton, m_groupButton, m_printCoverButton})
        button->setEnabled(false);
    enableSearch();
    m_recordPanel->showRecord(nullptr);
    emit stateChanged();
}

void TfmList::refillSheets()
{
    const QSignalBlocker blocker(m_sheets);
    const QStringList names = m_controller->sheetNames();
    if (m_sheets->count() == names.size()) {
        for (int i = 0; i < names.size(); ++i)
            if (m_sheets->itemText(i) != names[i])
                m_sheets->setItemText(i, names[i]);
    } else {
        m_sheets->clear();
        m_sheets->addItems(names);
    }
    if (m_sheets->currentIndex() != m_controller->currentSheet())
        m_sheets->setCurrentIndex(m_controller->currentSheet());
}

void TfmList::refillSearchSites()
{
    m_sites->clear();
    const zkOptions& options = m_shell.options();
    for (int i = 0; i < options.SearchCount && i < options.SrchName.size(); ++i)
        m_sites->addItem(options.SrchName[i]);
    enableSearch();
}

void TfmList::enableSearch()
{
    m_searchButton->setEnabled(currentRecord() && m_sites->count() > 0);
}

void TfmList::btnSearchClick()
{
    const TzkRow* record = currentRecord();
    const zkOptions& options = m_shell.options();
    const int site = m_sites->currentIndex();
    if (!record || site < 0 || site >= options.SrchURL.size())
        return;
    const QString& pattern = options.SrchURL[site];
    QString encoding = options.SrchEncoding.value(site, DefaultSearchEncoding(pattern));
    // A title the site's encoding cannot carry is never sent with question marks.
    if (const QString lost = TitleNotCarried(pattern, record->Fields[csTitle], record->Fields[csOrigTitle], encoding);
        !lost.isEmpty()) {
        if (m_prompts.ask({PromptIcon::Question, QString(), m_shell.text("WebSearch", "NotInEncoding").arg(lost, encoding),
                           {PromptButton::Yes, PromptButton::Cancel}})
            != PromptButton::Yes)
            return;
        encoding = kSearchEncodingUtf8;
    }
    const QByteArray address = SearchAddress(pattern, record->Fields[csTitle], record->Fields[csOrigTitle], encoding);
    const QUrl url = QUrl::fromEncoded(address, QUrl::StrictMode);
    const auto tell = [this](const char* key, const QByteArray& text) {
        m_prompts.ask({PromptIcon::Error, QString(), m_shell.text("WebSearch", key).arg(QString::fromLatin1(text)),
                       {PromptButton::Ok}});
    };
    if (!IsWebAddress(url))
        tell("NotWebAddress", address);
    else if (!m_openUrl(url))
        tell("OpenFailed", address);
}

void TfmList::DelItem()
{
    if (!m_grid->selectionModel()->hasSelection())
        return;
    if (m_prompts.ask({PromptIcon::Question, QString(), m_shell.text("SysMessage", "ReallyWantToDelete"),
                       {PromptButton::Yes, PromptButton::No}})
        != PromptButton::Yes)
        return;
    m_controller->deleteRows(m_controller->model()->outermostRows(m_grid->selectionModel()->selectedRows()));
}

void TfmList::GroupSelected()
{
    TzkRow* current = currentRecord();
    if (!current)
        return;
    GridModel* model = m_controller->model();
    TzkRow* parent = model->rowAt(model->indexOf(current).parent());
    std::vector<TzkRow*> rows = model->outermostRows(m_grid->selectionModel()->selectedRows());
    // The parent of the group cannot be grouped under it.
    std::erase(rows, parent);
    if (!m_controller->groupRows(rows, parent))
        return;
    // The last record in display order is selected, and so shown.
    selectIndex(m_controller->model()->lastIndex());
}

void TfmList::selectIndex(const QModelIndex& index)
{
    if (!index.isValid())
        return;
    m_grid->setCurrentIndex(index);
    m_grid->selectionModel()->select(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_grid->scrollTo(index);
}

void TfmList::focusLast()
{
    focusRecord(m_controller->model()->rowAt(m_controller->model()->lastIndex()));
}

void TfmList::focusRecord(const TzkRow* row)
{
    const QModelIndex index = row ? m_controller->model()->indexOf(row) : QModelIndex();
    if (!index.isValid())
        return;
    selectIndex(index);
    lvListClick();
}

void TfmList::SelectAll()
{
    m_grid->selectAll();
}

void TfmList::AddSheet()
{
    m_controller->addSheet();
}

void TfmList::DeleteSheet()
{
    if (m_controller->sheetNames().size() < 2) {
        m_prompts.ask({PromptIcon::Information, QString(), m_shell.text("SysMessage", "ImposibleToDeletePage"),
                       {PromptButton::Ok}});
        return;
    }
    if (m_prompts.ask({PromptIcon::Question, QString(), m_shell.text("SysMessage", "ReallyWantToDelete"),
                       {PromptButton::Yes, PromptButton::No}})
        == PromptButton::Yes)
        m_controller->deleteCurrentSheet();
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
        lvListClick();
    // Enter and Escape in the sheet selector neither add an entry nor leave the name.
    if (watched == m_sheets->lineEdit() && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape)
            return true;
    }
    return QMdiSubWindow::eventFilter(watched, event);
}

void TfmList::closeEvent(QCloseEvent* event)
{
    // Long work is stopped first; what it finished stays, as after Cancel.
    m_work->finishNow();
    if (m_controller->isModified()) {
        // The question stands over the window it concerns and names its file.
        if (QMdiArea* area = mdiArea())
            area->setActiveSubWindow(this);
        const PromptButton answer = m_prompts.ask({PromptIcon::Question, m_shell.text("SysMessage", "SaveFile"),
                                                   m_shell.text("SysMessage", "FileNotSave") + QStringLiteral("\n\n")
                                                       + QDir::toNativeSeparators(m_controller->path()),
                                                   {PromptButton::Yes, PromptButton::No, PromptButton::Cancel}});
        if (answer == PromptButton::Cancel || (answer == PromptButton::Yes && !m_controller->save())) {
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
