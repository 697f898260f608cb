// One sheet of a catalogue: 22 columns, a tree of rows and the rows' images.
// It also sorts its rows and keeps the filter state that hides rows.
#pragma once

#include "ColumnDefinitions.h"
#include "LocaleFormats.h"
#include "TImagePack.h"
#include "TzkColumn.h"
#include "TzkRow.h"

#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

namespace reelkeep {

class TZKList {
public:
    // Widths come from the given definitions (the settings' template); type,
    // options and pattern from the built-in table.
    TZKList(int columnCount, int capacity, const ColumnDefinitions& definitions = BuiltInColumnDefinitions(),
            LocaleFormats formats = LocaleFormats::system());

    void ApplyColumnDefaults();

    int ColumnCount() const { return static_cast<int>(Columns.size()); }
    TzkColumn& Column(int i) { return *Columns[static_cast<size_t>(i)]; }
    const TzkColumn& Column(int i) const { return *Columns[static_cast<size_t>(i)]; }
    QString GetColumnName(int i) const { return Column(i).Name; }
    void SetColumnName(int i, const QString& name) { Column(i).Name = name; }

    int RowCount() const { return static_cast<int>(m_items.size()); }
    TzkRow* Row(int i) const { return m_items[static_cast<size_t>(i)].get(); }
    const std::vector<RowPtr>& Items() const { return m_items; }
    // The top-level rows for a change made in place (undo putting rows back where they were).
    std::vector<RowPtr>& EditItems()
    {
        invalidateVisible();
        return m_items;
    }

    int VisibleRowCount() const;
    // The k-th top-level row whose Filtered flag is false; k must be below VisibleRowCount().
    TzkRow* VisibleRow(int k) const;

    // A new row with the next ID, appended at the top level or to the parent's children.
    TzkRow* AddRow(TzkRow* parent = nullptr);
    // Places a row that already carries its ID, as readers rebuild stored rows.
    TzkRow* InsertRow(RowPtr row, TzkRow* parent = nullptr);
    // Takes the row out of the tree without freeing it; null when it is not in the list.
    RowPtr DetachRow(TzkRow* row);
    // Frees the row, its nested rows and the images of them all.
    void DeleteRow(TzkRow* row);
    TzkRow* GroupRows(const std::vector<TzkRow*>& rows, TzkRow* parent = nullptr);
    TzkRow* FindRowByID(std::int32_t id) const;
    void SwapRows(int i, int j);

    // Sorts by column c with the given kind (0 text, 1 whole number, 2 date);
    // sorting the same column again reverses the direction.
    void Sort(int column, std::uint8_t kind);

    QString GetColumnFilter(int i) const { return Column(i).FilterText; }
    void SetColumnFilter(int i, const QString& text);
    // The text and its mask without filtering the rows again; false when the text was the column's already.
    bool SetColumnFilterText(int i, const QString& text);
    void ApplyFilter();

    // Memory in use by the rows, cells and images, for reports and benchmarks.
    std::size_t MemoryUsage() const;

    std::int32_t SortColumn = 0;
    bool SortDescending = false;
    QString Name;
    std::vector<std::unique_ptr<TzkColumn>> Columns;
    std::int32_t MaxID = 0;
    TImagePack Images;
    LocaleFormats Formats;

private:
    friend class FilterPass; // sets the rows' flags it computed
    void placeRow(TzkRow* row, TzkRow* parent, RowPtr owned);
    void invalidateVisible() { m_visibleValid = false; }
    void rebuildVisible() const;

    std::vector<RowPtr> m_items;
    mutable std::vector<TzkRow*> m_visible;
    mutable bool m_visibleValid = false;
};

} // namespace reelkeep
