#include "TfmDuplicates.h"

#include "ListController.h"
#include "Prompts.h"
#include "TextRegistry.h"
#include "TfmList.h"
#include "TfmMain.h"
#include "TzkReelkeep.h"

#include <QAction>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMdiArea>
#include <QPushButton>
#include <QTreeView>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace reelkeep {
namespace {

enum DuplicateItemData { PathRole = Qt::UserRole, SheetRole, IdRole };
constexpr const char* kDuplicateHeaderKeys[] = {"Catalogue", "Sheet", "ID", "Title", "OrigTitle", "Year", "Size", "Length", "Discs"};
constexpr const char* kRuleKeys[] = {"ByTitle", "ByOriginal", "ByMedia"};
constexpr DuplicateRule kRules[] = {DuplicateRule::Title, DuplicateRule::Original, DuplicateRule::Media};

bool samePath(const QString& a, const QString& b)
{
    return QFileInfo(a).canonicalFilePath() == QFileInfo(b).canonicalFilePath() && QFileInfo::exists(a);
}

TfmList* windowOf(const TfmMain& main, const QString& path)
{
    for (TfmList* list : main.lists())
        if (samePath(list->controller().path(), path))
            return list;
    return nullptr;
}

} // namespace

TfmDuplicates::TfmDuplicates(TfmMain& main, Prompts& prompts, TextRegistry& texts)
    : QDialog(&main), m_main(main), m_prompts(prompts), m_rule(new QComboBox), m_groups(new QTreeWidget), m_summary(new QLabel)
{
    setObjectName(QStringLiteral("fmDuplicates"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    texts.bind(this, "Duplicates", "Caption", TextRegistry::Role::WindowTitle);
    resize(820, 460);

    auto* ruleLabel = new QLabel;
    ruleLabel->setObjectName(QStringLiteral("lblRule"));
    texts.bind(ruleLabel, "Duplicates", "Rule", TextRegistry::Role::Text);
    ruleLabel->setBuddy(m_rule);
    m_rule->setObjectName(QStringLiteral("cbRule"));
    for (const char* key : kRuleKeys)
        m_rule->addItem(text(key));
    auto* find = new QPushButton;
    find->setObjectName(QStringLiteral("btnFind"));
    texts.bind(find, "Duplicates", "Find", TextRegistry::Role::Text);
    auto* top = new QHBoxLayout;
    top->addWidget(ruleLabel);
    top->addWidget(m_rule);
    top->addWidget(find);
    top->addStretch(1);

    m_groups->setObjectName(QStringLiteral("lvDuplicates"));
    m_groups->setColumnCount(int(std::size(kDuplicateHeaderKeys)));
    for (int c = 0; c < int(std::size(kDuplicateHeaderKeys)); ++c)
        texts.bindHeader(m_groups, c, "Duplicates", kDuplicateHeaderKeys[c]);
    m_groups->setSelectionMode(QAbstractItemView::SingleSelection);
    m_groups->setAllColumnsShowFocus(true);
    m_groups->header()->setStretchLastSection(false);
    m_summary->setObjectName(QStringLiteral("lblSummary"));

    auto* remove = new QPushButton;
    remove->setObjectName(QStringLiteral("btnDelete"));
    texts.bind(remove, "Duplicates", "Delete", TextRegistry::Role::Text);
    auto* buttons = new QDialogButtonBox;
    buttons->addButton(remove, QDialogButtonBox::ActionRole);
    auto* close = buttons->addButton(QDialogButtonBox::Close);
    close->setObjectName(QStringLiteral("btnClose"));
    texts.bind(close, "Duplicates", "Close", TextRegistry::Role::Text);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_groups, 1);
    layout->addWidget(m_summary);
    layout->addWidget(buttons);

    auto* deleteKey = new QAction(this);
    deleteKey->setShortcut(QKeySequence::Delete);
    deleteKey->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    m_groups->addAction(deleteKey);
    const auto deleteCurrent = [this] {
        if (QTreeWidgetItem* item = m_groups->currentItem())
            DeleteRecord(item);
    };
    connect(deleteKey, &QAction::triggered, this, deleteCurrent);
    connect(remove, &QPushButton::clicked, this, deleteCurrent);
    connect(find, &QPushButton::clicked, this, &TfmDuplicates::Find);
    connect(m_rule, &QComboBox::activated, this, &TfmDuplicates::Find);
    connect(m_groups, &QTreeWidget::itemActivated, this, &TfmDuplicates::ShowRecord);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

QString TfmDuplicates::text(const char* key) const
{
    return m_main.shell().text("Duplicates", key);
}

void TfmDuplicates::Find()
{
    m_groups->clear();
    std::vector<TfmList*> windows;
    std::vector<SheetToSearch> sheets;
    for (TfmList* list : m_main.lists()) {
        const TzkReelkeep* document = list->controller().document();
        if (!document || list->controller().isLoading())
            continue;
        for (int s = 0; s < document->ListCount(); ++s)
            sheets.push_back({int(windows.size()), s, document->List(s)});
        windows.push_back(list);
    }
    const std::vector<DuplicateGroup> found = FindDuplicates(sheets, kRules[std::max(0, m_rule->currentIndex())]);
    for (size_t g = 0; g < found.size(); ++g) {
        auto* group = new QTreeWidgetItem(m_groups, {text("Group").arg(g + 1).arg(found[g].size())});
        group->setFirstColumnSpanned(true);
        group->setFlags(Qt::ItemIsEnabled);
        for (const DuplicateRecord& record : found[g]) {
            TfmList& window = *windows[size_t(record.Catalogue)];
            const QString path = window.controller().path();
            const TZKList& list = *window.controller().document()->List(record.Sheet);
            auto* item = new QTreeWidgetItem(group, QStringList{QFileInfo(path).fileName(), list.Name} + DuplicateCells(list, *record.Row));
            item->setToolTip(0, path);
            item->setData(0, PathRole, path);
            item->setData(0, SheetRole, record.Sheet);
            item->setData(0, IdRole, record.Row->ID);
        }
    }
    m_groups->expandAll();
    for (int c = 0; c < m_groups->columnCount(); ++c)
        m_groups->resizeColumnToContents(c);
    m_summary->setText(found.empty() ? text("NoneFound") : text("Found").arg(found.size()));
    if (QTreeWidgetItem* first = m_groups->topLevelItem(0))
        m_groups->setCurrentItem(first->child(0));
}

void TfmDuplicates::withRecord(QTreeWidgetItem* item, const std::function<void(TfmList&, TzkRow&)>& act)
{
    if (!item || !item->parent())
        return;
    const QString path = item->data(0, PathRole).toString();
    const int sheet = item->data(0, SheetRole).toInt();
    const int id = item->data(0, IdRole).toInt();
    const auto reach = [this, sheet, id, act](TfmList& list) {
        ListController& controller = list.controller();
        if (!controller.document() || sheet >= controller.document()->ListCount()) {
            m_summary->setText(text("Gone"));
            return;
        }
        if (controller.currentSheet() != sheet)
            controller.switchSheet(sheet);
        TzkRow* row = controller.currentList()->FindRowByID(id);
        if (!row) {
            m_summary->setText(text("Gone"));
            return;
        }
        m_main.mdiArea()->setActiveSubWindow(&list);
        act(list, *row);
    };
    TfmList* list = windowOf(m_main, path);
    if (!list)
        list = m_main.OpenFile(path);
    if (!list)
        return;
    // A window just made holds no document until its load has come back.
    if (list->controller().document() && !list->controller().isLoading()) {
        reach(*list);
        return;
    }
    connect(list, &TfmList::loadDone, this, [list, reach](bool ok) {
        if (ok)
            reach(*list);
    }, Qt::SingleShotConnection);
}

void TfmDuplicates::ShowRecord(QTreeWidgetItem* item)
{
    withRecord(item, [](TfmList& list, TzkRow& row) {
        list.focusRecord(&row);
        list.grid()->setFocus();
    });
}

void TfmDuplicates::DeleteRecord(QTreeWidgetItem* item)
{
    withRecord(item, [this, path = item->data(0, PathRole).toString(), sheet = item->data(0, SheetRole).toInt()](TfmList& list, TzkRow& row) {
        list.focusRecord(&row);
        if (m_prompts.ask({PromptIcon::Question, QString(), m_main.shell().text("SysMessage", "ReallyWantToDelete"),
                           {PromptButton::Yes, PromptButton::No}})
            != PromptButton::Yes)
            return;
        const int id = row.ID;
        list.controller().deleteRows({&row});
        dropItemsOf(path, sheet, id);
    });
}

void TfmDuplicates::dropItemsOf(const QString& path, int sheet, int id)
{
    for (int g = m_groups->topLevelItemCount() - 1; g >= 0; --g) {
        QTreeWidgetItem* group = m_groups->topLevelItem(g);
        for (int k = group->childCount() - 1; k >= 0; --k) {
            const QTreeWidgetItem* item = group->child(k);
            if (item->data(0, SheetRole).toInt() == sheet && item->data(0, IdRole).toInt() == id
                && samePath(item->data(0, PathRole).toString(), path))
                delete group->takeChild(k);
        }
        // A record left alone is no longer a duplicate.
        if (group->childCount() < 2)
            delete m_groups->takeTopLevelItem(g);
    }
}

TfmDuplicates* ShowDuplicates(TfmMain& main, Prompts& prompts, TextRegistry& texts)
{
    auto* window = new TfmDuplicates(main, prompts, texts);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->Find();
    window->show();
    return window;
}

} // namespace reelkeep
