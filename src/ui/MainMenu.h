// The main menu of the shell: every command is one action of the main window, named
// after its menu item, tagged 1 when it needs an open list window, its caption bound
// to the language table.
#pragma once

#include <QList>
#include <QString>
#include <functional>
#include <map>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace reelkeep {

class TextRegistry;
class TZKList;

class MainMenu {
public:
    // Actions are added to owner too, so that their shortcuts work wherever the focus is.
    MainMenu(QMenuBar* bar, QWidget* owner, TextRegistry& texts);

    // The action of a menu item ("miSave") or submenu ("miSortBy"); throws std::out_of_range for an unknown name.
    QAction* action(const char* name) const;
    QMenu* menu(const char* name) const;
    // Enables or disables every item that acts on a list window (those tagged 1), as a
    // ready list window is active or not; the Lists menu keeps its state.
    void setListCommandsEnabled(bool enabled);
    // Actions of the grid's context menu and of keys only (Copy, Cut, Paste, Delete, Select all).
    QList<QAction*> clipboardActions() const;
    // The Filter items of columns 1..20 ("miFilter1".."miFilter20"), one action each.
    QList<QAction*> filterActions() const { return m_filterActions; }
    // Filter items named after the list's columns; unnamed columns have none.
    void RenameMenuFilter(const TZKList* list);

private:
    QAction* add(QMenu* menu, const char* name, const char* section, const char* key, int tag);
    QMenu* submenu(QMenu* parent, const char* name, const char* section, const char* key, int tag);

    QMenuBar* m_bar;
    QWidget* m_owner;
    TextRegistry& m_texts;
    std::map<QString, QAction*> m_actions;
    std::map<QString, QMenu*> m_menus;
    QList<QAction*> m_filterActions;
};

// Fills a column submenu with one item per named column 0..20 of the list.
void FillColumnMenu(QMenu* menu, const TZKList* list, const std::function<void(int)>& chosen);

} // namespace reelkeep
