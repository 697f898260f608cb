// The duplicates window: groups of records that are probably one film, across every
// sheet of every open catalogue. Activating a record shows it in its list window
// (opening the catalogue again when it was closed); Delete removes it there.
#pragma once

#include "DuplicateFinder.h"

#include <QDialog>
#include <functional>

class QComboBox;
class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

namespace reelkeep {

class Prompts;
class TextRegistry;
class TfmList;
class TfmMain;
class TzkRow;

class TfmDuplicates : public QDialog {
    Q_OBJECT
public:
    TfmDuplicates(TfmMain& main, Prompts& prompts, TextRegistry& texts);

    // Searches the open catalogues again with the chosen rule.
    void Find();
    // Shows the record of an item in its list window.
    void ShowRecord(QTreeWidgetItem* item);
    // Asks, then deletes the record of an item from its catalogue.
    void DeleteRecord(QTreeWidgetItem* item);

    QTreeWidget* groups() const { return m_groups; }
    QComboBox* rule() const { return m_rule; }

private:
    // Calls act with the item's window and record once the window holds its catalogue.
    void withRecord(QTreeWidgetItem* item, const std::function<void(TfmList&, TzkRow&)>& act);
    void dropItemsOf(const QString& path, int sheet, int id);
    QString text(const char* key) const;

    TfmMain& m_main;
    Prompts& m_prompts;
    QComboBox* m_rule;
    QTreeWidget* m_groups;
    QLabel* m_summary;
};

// Opens a duplicates window over the main window's catalogues and searches at once.
TfmDuplicates* ShowDuplicates(TfmMain& main, Prompts& prompts, TextRegistry& texts);

} // namespace reelkeep
