// The filter windows of one list window, at most one per column: shown and hidden by
// the filter menu, replaced on a sheet switch, each setting its column's filter.
#pragma once

#include "ColumnDefinitions.h"

#include <QObject>
#include <QPointer>
#include <array>

class QWidget;

namespace reelkeep {

class ListController;
class ShellState;
class TextRegistry;
class TfmFilter;

class FilterForms : public QObject {
    Q_OBJECT
public:
    // owner is the list window: the windows' parent and the source of their caption.
    FilterForms(QWidget* owner, ListController& controller, ShellState& shell, TextRegistry& texts);

    // The column's window is hidden or shown again; a new one is made when there is none.
    void ShowFilter(int column);
    TfmFilter* form(int column) const;
    // Every window is replaced by one over the current sheet, showing that sheet's filter text.
    void sheetChanged();

private:
    TfmFilter* create(int column);
    void userClosed(int column, bool hadText);

    QWidget* m_owner;
    ListController& m_controller;
    ShellState& m_shell;
    TextRegistry& m_texts;
    std::array<QPointer<TfmFilter>, kStoredColumnCount> m_forms;
};

} // namespace reelkeep
