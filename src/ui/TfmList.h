// A list window: one open catalogue in an MDI child — tool bar, the place of the
// record panel, the grid and the status bar — around its controller.
#pragma once

#include "CatalogueForms.h"
#include "RecordGrid.h"
#include "WebSearch.h"

#include <QMdiSubWindow>
#include <array>

class QComboBox;
class QLabel;
class QMenu;
class QScrollArea;
class QSplitter;
class QToolButton;
class QToolBar;

namespace reelkeep {

class FileEntryCommands;
class FilterForms;
class GridSelection;
class CloseAfterWork;
class ListController;
class QuickSearchBar;
class RecordCommands;
class RecordSelection;
class ToolBarRows;
class TzkRecordPanel;
class Prompts;
class SheetSelector;
class ShellState;
class TextRegistry;
class TzkRow;
class WebSearchBar;
class WindowWork;

class TfmList : public QMdiSubWindow {
    Q_OBJECT
public:
    TfmList(ShellState& shell, Prompts& prompts, TextRegistry& texts, QWidget* parent = nullptr);

    ListController& controller() { return *m_controller; }
    QTreeView* grid() const { return m_grid; }
    QComboBox* sheetSelector() const { return m_sheets; }
    // The caption shown in the frame and the window bar, with the modified mark.
    void setCaption(const QString& caption);
    // The caption without the mark, for the captions of the windows it owns.
    QString caption() const;

    // The Copy, Cut and Paste commands of the main window, shown in the grid's context menu.
    void setClipboardActions(const QList<QAction*>& actions);
    // The main window's filter items, shown in the grid's context menu too.
    void setFilterActions(const QList<QAction*>& actions);
    void LoadList(const QString& path, CatalogueForm form);
    // Column positions from the settings, widths from the current sheet, the colour column hidden.
    void LoadColumnWidth();
    // The grid's column widths in header order of the columns 0..20.
    std::vector<int> columnWidths() const;
    // Header captions and the column menus follow the current sheet.
    void RenameEdit();
    void UpdateStatusBar();
    // The texts, the search sites and the status bar again, after the settings changed.
    void TranslateControls();
    void refillSearchSites();
    void setUrlOpener(UrlOpener opener);
    // What the record commands act on: the current and the selected records.
    RecordSelection& selection();
    // The record the panel shows: the one first selected, kept while it stays selected;
    // none after load, sort, sheet changes and delete.
    TzkRow* currentRecord() const;
    // The selected records in grid order (top to bottom, children after their parent).
    std::vector<TzkRow*> selectedRecords() const;
    // Makes the record current: focused, selected alone, scrolled to and shown in the panel.
    void focusRecord(const TzkRow* row);
    RecordCommands& records() { return *m_records; }
    FileEntryCommands& files() { return *m_files; }
    // The window's long work on a worker thread; the window is locked while it runs.
    WindowWork& work() { return *m_work; }
    bool isBusy() const;
    // A close came during a save: the window goes once the save has ended.
    CloseAfterWork& closeAfterWork() { return *m_closeAfterWork; }
    TzkRecordPanel* recordPanel() const { return m_recordPanel; }

    void SelectAll();
    void AddSheet();
    void DeleteSheet();
    // Shows, hides or makes the filter window of a column of the current sheet.
    void ShowFilter(int column);
    FilterForms& filterForms() { return *m_filters; }
    QuickSearchBar& quickSearch() { return *m_quickSearch; }
    // The statistics window of the current sheet and the selected records.
    void CalculateStat();

signals:
    // The columns shown changed; the main window refills its Filter and Sort menus.
    void columnsShown();
    void loadDone(bool ok);
    void stateChanged();
    // The print buttons were pressed; the main window prints.
    void printCoverRequested();
    void printListRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildToolBar(ToolBarRows* bars);
    QToolButton* addButton(QToolBar* bar, const char* name, int icon, const char* section, const char* key);
    // The buttons, the panel and the main window follow the current record.
    void showCurrent();
    void showSortIndicator();

    ShellState& m_shell;
    Prompts& m_prompts;
    TextRegistry& m_texts;
    ListController* m_controller;
    RecordGrid* m_grid;
    TzkRecordPanel* m_recordPanel;
    QScrollArea* m_panel;
    GridSelection* m_selection = nullptr;
    RecordCommands* m_records = nullptr;
    FileEntryCommands* m_files = nullptr;
    WindowWork* m_work;
    CloseAfterWork* m_closeAfterWork;
    QSplitter* m_splitter;
    QComboBox* m_sheets;
    SheetSelector* m_sheetSelector = nullptr;
    QComboBox* m_sites;
    QComboBox* m_search;
    QComboBox* m_searchColumn;
    QuickSearchBar* m_quickSearch = nullptr;
    WebSearchBar* m_webSearch = nullptr;
    QToolButton* m_deleteButton = nullptr;
    QToolButton* m_groupButton = nullptr;
    QToolButton* m_printCoverButton = nullptr;
    QToolButton* m_searchButton = nullptr;
    QMenu* m_contextMenu;
    QMenu* m_contextFilter;
    QMenu* m_contextSort;
    FilterForms* m_filters;
    std::array<QLabel*, 6> m_status{};
};

} // namespace reelkeep
