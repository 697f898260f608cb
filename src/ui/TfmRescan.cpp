#include "TfmRescan.h"

#include "FileEntryCommands.h"
#include "GridModel.h"
#include "ListController.h"
#include "ShellState.h"
#include "TextRegistry.h"
#include "TfmList.h"
#include "TzkReelkeep.h"
#include "WindowWork.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSet>
#include <QTreeView>
#include <QTreeWidget>
#include <memory>
#include <tuple>

namespace reelkeep {
namespace {

enum RescanItemData { RescanPathRole = Qt::UserRole, RescanIdRole };

QTreeWidget* rescanList(const char* name, std::initializer_list<const char*> headerKeys, TextRegistry& texts)
{
    auto* tree = new QTreeWidget;
    tree->setObjectName(QString::fromLatin1(name));
    tree->setRootIsDecorated(false);
    tree->setAllColumnsShowFocus(true);
    tree->setUniformRowHeights(true);
    tree->setColumnCount(int(headerKeys.size()));
    int column = 0;
    for (const char* key : headerKeys)
        texts.bindHeader(tree, column++, "Rescan", key);
    return tree;
}

QLabel* buddyLabel(const char* name, QWidget* buddy)
{
    auto* label = new QLabel;
    label->setObjectName(QString::fromLatin1(name));
    label->setBuddy(buddy);
    return label;
}

} // namespace

TfmRescan::TfmRescan(TfmList& window, const TZKList* sheet, ShellState& shell, TextRegistry& texts, QString folder,
                     std::vector<FoundFile> files)
    : QDialog(&window),
      m_window(&window),
      m_sheet(sheet),
      m_shell(shell),
      m_folder(std::move(folder)),
      m_files(std::move(files)),
      m_separators(FileNameSeparators::From(shell.options())),
      m_summary(new QLabel),
      m_new(rescanList("lvNewFiles", {"File"}, texts)),
      m_gone(rescanList("lvGoneRecords", {"ID", "Title", "Path"}, texts)),
      m_moved(rescanList("lvMovedRecords", {"ID", "Title", "Path", "NewPath"}, texts)),
      m_add(new QPushButton),
      m_select(new QPushButton),
      m_update(new QPushButton)
{
    setObjectName(QStringLiteral("fmRescan"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowTitle(m_shell.text("Rescan", "ReportCaption").arg(QDir::toNativeSeparators(m_folder)));
    resize(760, 520);

    m_summary->setObjectName(QStringLiteral("lblSummary"));
    m_summary->setWordWrap(true);
    m_newLabel = buddyLabel("lblNewFiles", m_new);
    m_goneLabel = buddyLabel("lblGoneRecords", m_gone);
    m_movedLabel = buddyLabel("lblMovedRecords", m_moved);
    m_add->setObjectName(QStringLiteral("btnAddChecked"));
    texts.bind(m_add, "Rescan", "Add", TextRegistry::Role::Text);
    m_select->setObjectName(QStringLiteral("btnSelectGone"));
    texts.bind(m_select, "Rescan", "SelectGone", TextRegistry::Role::Text);
    m_update->setObjectName(QStringLiteral("btnUpdatePaths"));
    texts.bind(m_update, "Rescan", "UpdatePaths", TextRegistry::Role::Text);
    // The buttons act on their own list, so none of them is pressed by Enter in a list.
    for (QPushButton* button : {m_add, m_select, m_update})
        button->setAutoDefault(false);

    auto* buttons = new QDialogButtonBox;
    QPushButton* close = buttons->addButton(QDialogButtonBox::Close);
    close->setObjectName(QStringLiteral("btnClose"));
    texts.bind(close, "Rescan", "Close", TextRegistry::Role::Text);

    // Each list under its label, its button beside it; the buttons share one column.
    auto* layout = new QGridLayout(this);
    layout->addWidget(m_summary, 0, 0, 1, 2);
    int row = 1;
    for (auto [label, tree, button, stretch] : {std::tuple(m_newLabel, m_new, m_add, 3), std::tuple(m_goneLabel, m_gone, m_select, 2),
                                                std::tuple(m_movedLabel, m_moved, m_update, 2)}) {
        layout->addWidget(label, row++, 0, 1, 2);
        layout->addWidget(tree, row, 0);
        layout->addWidget(button, row, 1, Qt::AlignTop);
        layout->setRowStretch(row++, stretch);
    }
    layout->addWidget(buttons, row, 0, 1, 2);

    connect(m_add, &QPushButton::clicked, this, &TfmRescan::AddChecked);
    connect(m_select, &QPushButton::clicked, this, &TfmRescan::SelectGone);
    connect(m_update, &QPushButton::clicked, this, &TfmRescan::UpdatePaths);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // Entries and their end change what the sheet holds and whether it can be changed.
    connect(&window.files(), &FileEntryCommands::entryFinished, this, &TfmRescan::Refresh);
    connect(&window.work(), &WindowWork::runningChanged, this, &TfmRescan::enableButtons);
    Refresh();
}

QString TfmRescan::marked(const char* key) const
{
    return m_shell.options().LanguageTable.GetValue(QStringLiteral("Rescan"), QString::fromLatin1(key));
}

int TfmRescan::sheetIndex() const
{
    const TzkReelkeep* document = m_window ? m_window->controller().document() : nullptr;
    // Compared, never followed: a sheet deleted or a catalogue loaded again is not the report's.
    for (int s = 0; document && s < document->ListCount(); ++s)
        if (document->List(s) == m_sheet)
            return s;
    return -1;
}

TZKList* TfmRescan::reachSheet()
{
    const int sheet = sheetIndex();
    if (sheet < 0)
        return nullptr;
    if (m_window->controller().currentSheet() != sheet)
        m_window->controller().switchSheet(sheet);
    return m_window->controller().currentList();
}

void TfmRescan::Refresh()
{
    QSet<QString> unchecked;
    for (int i = 0; i < m_new->topLevelItemCount(); ++i)
        if (m_new->topLevelItem(i)->checkState(0) == Qt::Unchecked)
            unchecked.insert(m_new->topLevelItem(i)->data(0, RescanPathRole).toString());
    m_new->clear();
    m_gone->clear();
    m_moved->clear();
    const int sheet = sheetIndex();
    if (sheet < 0) {
        m_summary->setText(m_shell.text("Rescan", "SheetGone"));
        enableButtons();
        return;
    }
    const RescanReport report = MatchRescan(*m_window->controller().document()->List(sheet), m_folder, m_files, m_separators);
    m_pathColumn = report.PathColumn;
    const QDir folder(m_folder);
    const auto shown = [&folder](const QString& path) { return QDir::toNativeSeparators(folder.relativeFilePath(path)); };

    for (const QString& path : report.NewFiles) {
        auto* item = new QTreeWidgetItem(m_new, {shown(path)});
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(0, unchecked.contains(path) ? Qt::Unchecked : Qt::Checked);
        item->setData(0, RescanPathRole, path);
        item->setToolTip(0, path);
    }
    for (const TzkRow* row : report.Gone) {
        const QString path = row->Fields[size_t(m_pathColumn)];
        auto* item = new QTreeWidgetItem(m_gone, {QString::number(row->ID), row->Fields[csTitle], shown(path)});
        item->setData(0, RescanIdRole, row->ID);
        item->setToolTip(2, path);
    }
    for (const MovedRecord& move : report.Moved) {
        auto* item = new QTreeWidgetItem(m_moved, {QString::number(move.Row->ID), move.Row->Fields[csTitle], shown(move.From), shown(move.To)});
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(0, Qt::Checked);
        item->setData(0, RescanIdRole, move.Row->ID);
        item->setData(0, RescanPathRole, move.To);
        item->setToolTip(2, move.From);
        item->setToolTip(3, move.To);
    }
    for (QTreeWidget* tree : {m_new, m_gone, m_moved}) {
        for (int c = 0; c + 1 < tree->columnCount(); ++c)
            tree->resizeColumnToContents(c);
        if (tree->topLevelItemCount() > 0)
            tree->setCurrentItem(tree->topLevelItem(0), 0, QItemSelectionModel::NoUpdate);
    }
    m_newLabel->setText(marked("NewFiles").arg(report.NewFiles.size()));
    m_goneLabel->setText(marked("Gone").arg(report.Gone.size()));
    m_movedLabel->setText(marked("Moved").arg(report.Moved.size()));
    QString summary = m_shell.text("Rescan", "Found").arg(m_files.size());
    if (m_pathColumn < 0)
        summary += QLatin1Char('\n') + m_shell.text("Rescan", "NoPathColumn");
    m_summary->setText(summary);
    enableButtons();
}

void TfmRescan::enableButtons()
{
    const bool idle = m_window && !m_window->work().isRunning();
    m_add->setEnabled(idle && m_new->topLevelItemCount() > 0);
    m_select->setEnabled(idle && m_gone->topLevelItemCount() > 0);
    m_update->setEnabled(idle && m_moved->topLevelItemCount() > 0);
}

std::vector<TzkRow*> TfmRescan::recordsOf(const QTreeWidget* tree, bool checkedOnly) const
{
    std::vector<TzkRow*> rows;
    const TZKList* sheet = m_window ? m_window->controller().currentList() : nullptr;
    for (int i = 0; sheet && i < tree->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = tree->topLevelItem(i);
        if (checkedOnly && item->checkState(0) != Qt::Checked)
            continue;
        if (TzkRow* row = sheet->FindRowByID(item->data(0, RescanIdRole).toInt()))
            rows.push_back(row);
    }
    return rows;
}

void TfmRescan::AddChecked()
{
    if (!m_window || m_window->work().isRunning() || !reachSheet())
        return;
    QStringList files;
    for (int i = 0; i < m_new->topLevelItemCount(); ++i)
        if (m_new->topLevelItem(i)->checkState(0) == Qt::Checked)
            files << m_new->topLevelItem(i)->data(0, RescanPathRole).toString();
    // The report is matched again when the entry ends.
    m_window->files().EnterFoundFiles(files);
}

void TfmRescan::SelectGone()
{
    if (!m_window || m_window->work().isRunning() || !reachSheet())
        return;
    GridModel* model = m_window->controller().model();
    QTreeView* grid = m_window->grid();
    QItemSelection selection;
    // Records a filter hides have no row to select.
    for (const TzkRow* row : recordsOf(m_gone, false)) {
        const QModelIndex index = model->indexOf(row);
        if (!index.isValid())
            continue;
        for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent())
            grid->expand(parent);
        selection.select(index, index);
    }
    if (selection.isEmpty())
        return;
    grid->selectionModel()->setCurrentIndex(selection.front().topLeft(), QItemSelectionModel::NoUpdate);
    grid->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    grid->scrollTo(selection.front().topLeft());
}

void TfmRescan::UpdatePaths()
{
    if (!m_window || m_window->work().isRunning() || m_pathColumn < 0 || !reachSheet())
        return;
    ListController& controller = m_window->controller();
    const TZKList* sheet = controller.currentList();
    for (int i = 0; i < m_moved->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = m_moved->topLevelItem(i);
        if (item->checkState(0) != Qt::Checked)
            continue;
        if (TzkRow* row = sheet->FindRowByID(item->data(0, RescanIdRole).toInt()))
            controller.setCell(row, m_pathColumn, item->data(0, RescanPathRole).toString());
    }
    Refresh();
}

void RescanFolder(TfmList& window, ShellState& shell, TextRegistry& texts)
{
    if (!window.controller().currentList() || window.work().isRunning())
        return;
    const QString folder = window.files().ChooseFolder();
    if (folder.isEmpty())
        return;
    // Filled on the worker, read here once it has returned.
    auto walk = std::make_shared<std::vector<FoundFile>>();
    const auto job = [folder, walk](QPromise<void>& promise) { *walk = WalkForRescan(folder, [&promise] { return promise.isCanceled(); }); };
    const auto done = [target = QPointer<TfmList>(&window), &shell, &texts, folder, walk] {
        // A Cancel that came after the walk's end still means no report.
        if (!target || target->work().wasCancelled() || !target->controller().currentList())
            return;
        auto* report = new TfmRescan(*target, target->controller().currentList(), shell, texts, folder, std::move(*walk));
        report->setAttribute(Qt::WA_DeleteOnClose);
        report->show();
        report->SelectGone();
    };
    window.work().start(shell.text("Rescan", "Caption"), job, done, [&shell](int, int) { return shell.text("FileEntry", "Searching"); });
}

} // namespace reelkeep
