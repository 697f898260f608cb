#include "MainMenu.h"

#include "ColumnDefinitions.h"
#include "TZKList.h"
#include "TextRegistry.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>

namespace reelkeep {
namespace {
const char* const kTag = "tag";
} // namespace

MainMenu::MainMenu(QMenuBar* bar, QWidget* owner, TextRegistry& texts) : m_bar(bar), m_owner(owner), m_texts(texts)
{
    QMenu* file = submenu(nullptr, "miFile", "MainMenu", "File", 0);
    add(file, "miNew", "MainMenu", "New", 0);
    add(file, "miOpen", "MainMenu", "Open", 0);
    file->addSeparator();
    add(file, "miSave", "MainMenu", "Save", 1);
    add(file, "miSaveAs", "MainMenu", "SaveAs", 1);
    add(file, "miClose", "MainMenu", "Close", 1);
    add(file, "miRestoreVersion", "Safety", "RestoreVersion", 1);
    file->addSeparator();
    add(file, "miExport", "MainMenu", "Export", 1);
    add(file, "miPrintCover", "ListHints", "PrintCover", 1);
    add(file, "miPrintList", "ListHints", "PrintList", 1)->setShortcut(QKeySequence::Print);
    file->addSeparator();
    add(file, "miExit", "MainMenu", "Exit", 0);

    // The undo items name their step; UndoActions keeps their texts and shortcuts.
    QMenu* edit = submenu(nullptr, "miEdit", "Undo", "Edit", 0);
    add(edit, "miUndo", "Undo", "Undo", 1);
    add(edit, "miRedo", "Undo", "Redo", 1);
    edit->addSeparator();
    add(edit, "miUndoHistory", "Undo", "HistoryItem", 0);

    submenu(nullptr, "miLists", "MainMenu", "Lists", 0);

    QMenu* current = submenu(nullptr, "miCList", "MainMenu", "CurrentCatalog", 1);
    add(current, "miAddRow", "ListHints", "Add", 0);
    add(current, "miAddFromFile", "ListHints", "AddFromFile", 0);
    add(current, "miAddFromDir", "ListHints", "AddFromDir", 0);
    add(current, "miRescanDir", "Rescan", "MenuItem", 1);
    current->addSeparator();
    add(current, "miListInfo", "MainMenu", "ListInfo", 1);
    QMenu* filter = submenu(current, "miFilter", "MainMenu", "Filter", 1);
    for (int c = 1; c < kStoredColumnCount; ++c) {
        const QByteArray name = "miFilter" + QByteArray::number(c);
        QAction* item = add(filter, name.constData(), nullptr, nullptr, 1);
        // Named after the sheet's columns: data of the menu, not a text of the language.
        item->setParent(filter);
        item->setVisible(false);
        m_filterActions.append(item);
    }

    QMenu* service = submenu(nullptr, "miService", "MainMenu", "Service", 0);
    service->addSeparator();
    add(service, "miRemoveSpaceAct", "MainMenu", "RemoveSpaceActors", 1);
    add(service, "miRemoveSpaceRej", "MainMenu", "RemoveSpaceDirectors", 1);
    service->addSeparator();
    submenu(service, "miSortBy", "MainMenu", "SortBy", 1);
    service->addSeparator();
    add(service, "miAddFromList", "MainMenu", "AddFromList", 1);
    add(service, "miDuplicates", "Duplicates", "MenuItem", 1);

    QMenu* settings = submenu(nullptr, "miSettings", "MainMenu", "Options", 0);
    add(settings, "miSaveColWidth", "MainMenu", "SaveColumnsWidth", 1);
    add(settings, "miLoadColWidth", "MainMenu", "LoadColumnsWidth", 1);
    settings->addSeparator();
    add(settings, "miOptions", "MainMenu", "Options", 0);

    QMenu* info = submenu(nullptr, "miInfo", "MainMenu", "Information", 0);
    add(info, "miStat", "MainMenu", "Statistics", 1);
    info->addSeparator();
    add(info, "miAbout", "MainMenu", "About", 0);

    // Keys of the grid; their one action each keeps every shortcut unambiguous.
    add(nullptr, "miCopy", "MainMenu", "Copy", 1)->setShortcut(QKeySequence::Copy);
    add(nullptr, "miCut", "MainMenu", "Cut", 1)->setShortcut(QKeySequence::Cut);
    add(nullptr, "miPaste", "MainMenu", "Paste", 1)->setShortcut(QKeySequence::Paste);
    add(nullptr, "miDelete", nullptr, nullptr, 1)->setShortcut(QKeySequence::Delete);
    add(nullptr, "miSelectAll", nullptr, nullptr, 1)->setShortcut(QKeySequence::SelectAll);
}

QAction* MainMenu::add(QMenu* menu, const char* name, const char* section, const char* key, int tag)
{
    auto* action = new QAction(m_owner);
    action->setObjectName(QString::fromLatin1(name));
    action->setProperty(kTag, tag);
    if (section)
        m_texts.bind(action, section, key);
    m_owner->addAction(action);
    if (menu)
        menu->addAction(action);
    m_actions[action->objectName()] = action;
    return action;
}

QMenu* MainMenu::submenu(QMenu* parent, const char* name, const char* section, const char* key, int tag)
{
    auto* menu = new QMenu(m_owner);
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setProperty(kTag, tag);
    m_texts.bind(menu->menuAction(), section, key);
    if (parent)
        parent->addMenu(menu);
    else
        m_bar->addMenu(menu);
    m_menus[menu->objectName()] = menu;
    return menu;
}

QAction* MainMenu::action(const char* name) const
{
    const QString key = QString::fromLatin1(name);
    const auto found = m_actions.find(key);
    return found != m_actions.end() ? found->second : m_menus.at(key)->menuAction();
}

QMenu* MainMenu::menu(const char* name) const
{
    return m_menus.at(QString::fromLatin1(name));
}

void MainMenu::setListCommandsEnabled(bool enabled)
{
    for (const auto& [name, action] : m_actions)
        if (action->property(kTag).toInt() == 1)
            action->setEnabled(enabled);
    for (const auto& [name, menu] : m_menus)
        if (menu->menuAction()->property(kTag).toInt() == 1)
            menu->menuAction()->setEnabled(enabled);
}

QList<QAction*> MainMenu::clipboardActions() const
{
    return {action("miCopy"), action("miCut"), action("miPaste")};
}

void MainMenu::RenameMenuFilter(const TZKList* list)
{
    for (int c = 1; c < kStoredColumnCount; ++c) {
        QAction* item = m_filterActions[c - 1];
        const QString name = list ? list->GetColumnName(c) : QString();
        item->setText(name);
        item->setVisible(!name.isEmpty());
    }
}

void FillColumnMenu(QMenu* menu, const TZKList* list, const std::function<void(int)>& chosen)
{
    menu->clear();
    for (int c = 0; list && c < kStoredColumnCount; ++c) {
        const QString& name = list->GetColumnName(c);
        if (!name.isEmpty())
            QObject::connect(menu->addAction(name), &QAction::triggered, menu, [chosen, c] { chosen(c); });
    }
}

} // namespace reelkeep
