// The sheets of a list window on its tool bar: the editable selector switches and renames
// the current sheet, the buttons beside it add and delete sheets.
#pragma once

#include <QObject>

class QComboBox;
class QWidget;

namespace reelkeep {

class ListController;
class Prompts;
class ShellState;

class SheetSelector : public QObject {
    Q_OBJECT
public:
    // After a switch the focus goes to focusAfter (the grid).
    SheetSelector(QComboBox* box, QWidget* focusAfter, ListController& controller, const ShellState& shell,
                  Prompts& prompts, QObject* parent);

    void AddSheet();
    // The current sheet deleted once the person agrees; the last sheet stays.
    void DeleteSheet();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The names and the current sheet from the document again.
    void refill();

    QComboBox* m_box;
    QWidget* m_focusAfter;
    ListController& m_controller;
    const ShellState& m_shell;
    Prompts& m_prompts;
};

} // namespace reelkeep
