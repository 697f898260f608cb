// The column settings dialog of the active list window: the catalogue's author and,
// one tab per sheet, the name, type, pattern, logical value and two flags of the 21
// columns. The tables are working copies; Save hands them to the window's controller.
#pragma once

#include <QDialog>
#include <vector>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace reelkeep {

class ListController;
class ShellState;
class TextRegistry;

class TfmColumnsRen : public QDialog {
    Q_OBJECT
public:
    TfmColumnsRen(ListController& list, ShellState& shell, TextRegistry& texts, QWidget* parent = nullptr);

    // The language texts of a type code (empty for an unknown code) and back (0 for any other text).
    QString TypeName(int code) const;
    int TypeCode(const QString& text) const;
    QString YesNoText(bool flag) const;
    bool IsYesText(const QString& text) const;

    void btnSaveClick();

private:
    QTreeWidget* addTable(int sheet);
    QTreeWidgetItem* selectedRow() const;
    void rowSelected();
    void setCell(int column, const QString& text);

    ListController& m_list;
    ShellState& m_shell;
    QLineEdit* m_edAutor;
    QTabWidget* m_tabs;
    std::vector<QTreeWidget*> m_tables;
    QLineEdit* m_edName;
    QComboBox* m_cbType;
    QLineEdit* m_edPattern;
    QLineEdit* m_edLogicalVal;
    QCheckBox* m_cbNamesWithDot;
    QCheckBox* m_cbSecondNames;
};

} // namespace reelkeep
