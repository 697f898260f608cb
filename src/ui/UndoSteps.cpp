#include "UndoSteps.h"

#include "GroupCells.h"
#include "TzkReelkeep.h"

#include <algorithm>
#include <unordered_map>

namespace reelkeep {
namespace {

std::size_t textBytes(const QString& text)
{
    return sizeof(QString) + std::size_t(text.size()) * 2;
}

std::vector<RowPtr>& rowsOf(TZKList& list, TzkRow* parent)
{
    return parent ? parent->Children : list.EditItems();
}

// The parent and every ancestor of row (none for a top-level row).
std::unordered_set<const TzkRow*> ancestorsAndSelf(const TZKList& list, const TzkRow* row)
{
    std::unordered_set<const TzkRow*> found;
    if (!row)
        return found;
    std::unordered_map<const TzkRow*, const TzkRow*> parentOf;
    std::vector<const TzkRow*> pending;
    for (const RowPtr& top : list.Items())
        pending.push_back(top.get());
    while (!pending.empty()) {
        const TzkRow* next = pending.back();
        pending.pop_back();
        for (const RowPtr& child : next->Children) {
            parentOf.emplace(child.get(), next);
            pending.push_back(child.get());
        }
    }
    for (const TzkRow* up = row; up; up = parentOf.contains(up) ? parentOf.at(up) : nullptr)
        found.insert(up);
    return found;
}

} // namespace

CellsStep::CellsStep(std::vector<Change> changes, bool typing)
    : m_changes(std::move(changes)), m_typing(typing), m_bytes(sizeof(*this))
{
    for (const Change& change : m_changes)
        m_bytes += sizeof(Change) + textBytes(change.before) + textBytes(change.after);
}

void CellsStep::undo(TzkReelkeep&)
{
    for (auto change = m_changes.rbegin(); change != m_changes.rend(); ++change)
        change->row->Fields[static_cast<size_t>(change->column)] = change->before;
}

void CellsStep::redo(TzkReelkeep&)
{
    for (const Change& change : m_changes)
        change.row->Fields[static_cast<size_t>(change.column)] = change.after;
}

std::vector<UndoStep::Cell> CellsStep::cells() const
{
    std::vector<Cell> cells;
    cells.reserve(m_changes.size());
    for (const Change& change : m_changes)
        cells.push_back({change.row, change.column});
    return cells;
}

bool CellsStep::absorb(const UndoStep& later)
{
    const auto* cells = dynamic_cast<const CellsStep*>(&later);
    if (!m_typing || !cells || !cells->m_typing || m_changes.size() != 1 || cells->m_changes.size() != 1)
        return false;
    const Change& next = cells->m_changes.front();
    if (next.row != m_changes.front().row || next.column != m_changes.front().column)
        return false;
    m_bytes += textBytes(next.after) - textBytes(m_changes.front().after);
    m_changes.front().after = next.after;
    return true;
}

bool CellsStep::isEmpty() const
{
    return std::all_of(m_changes.begin(), m_changes.end(), [](const Change& change) { return change.before == change.after; });
}

AppendStep::AppendStep(TzkReelkeep& document, TzkRow* parent) : m_listsBefore(static_cast<std::size_t>(document.ListCount()))
{
    for (int i = 0; i < document.ListCount(); ++i) {
        TZKList* list = document.List(i);
        m_places.push_back({list, nullptr, list->Items().size(), 0, {}});
        m_lists.push_back({list, list->Images.OwnerIDs.size(), 0, list->MaxID, 0, {}, {}});
    }
    if (parent) {
        const int current = document.CurrentList - 1;
        m_places.push_back({document.List(current), parent, parent->Children.size(), 0, {}});
    }
}

void AppendStep::finish(TzkReelkeep& document)
{
    m_bytes = sizeof(*this);
    for (Place& place : m_places) {
        const std::vector<RowPtr>& rows = rowsOf(*place.list, place.parent);
        place.rowsAfter = rows.size();
        m_appendedRecords += static_cast<int>(place.rowsAfter - place.rowsBefore);
        for (std::size_t i = place.rowsBefore; i < place.rowsAfter; ++i)
            m_bytes += MemoryOfRow(*rows[i]);
    }
    for (ListEnd& end : m_lists) {
        end.imagesAfter = end.list->Images.OwnerIDs.size();
        end.maxIdAfter = end.list->MaxID;
        for (std::size_t i = end.imagesBefore; i < end.imagesAfter; ++i)
            m_bytes += std::size_t(end.list->Images.Images[i].size());
    }
    m_listsAfter = static_cast<std::size_t>(document.ListCount());
    for (std::size_t i = m_listsBefore; i < m_listsAfter; ++i) {
        m_bytes += document.List(static_cast<int>(i))->MemoryUsage();
        m_appendedRecords += document.List(static_cast<int>(i))->RowCount();
    }
}

bool AppendStep::appendedNothing() const
{
    return m_listsAfter == m_listsBefore && m_appendedRecords == 0
        && std::all_of(m_lists.begin(), m_lists.end(),
                       [](const ListEnd& end) { return end.imagesAfter == end.imagesBefore && end.maxIdAfter == end.maxIdBefore; });
}

UndoStep::Reach AppendStep::reach() const
{
    return m_listsAfter != m_listsBefore ? Reach::Sheets : Reach::Rows;
}

void AppendStep::undo(TzkReelkeep& document)
{
    std::vector<std::unique_ptr<TZKList>>& lists = document.Lists().Lists;
    for (std::size_t i = m_listsBefore; i < m_listsAfter; ++i)
        m_heldLists.push_back(std::move(lists[i]));
    lists.resize(m_listsBefore);
    for (Place& place : m_places) {
        std::vector<RowPtr>& rows = rowsOf(*place.list, place.parent);
        place.held.assign(std::make_move_iterator(rows.begin() + static_cast<std::ptrdiff_t>(place.rowsBefore)),
                          std::make_move_iterator(rows.end()));
        rows.resize(place.rowsBefore);
    }
    for (ListEnd& end : m_lists) {
        TImagePack& pack = end.list->Images;
        end.heldOwners.assign(pack.OwnerIDs.begin() + static_cast<std::ptrdiff_t>(end.imagesBefore), pack.OwnerIDs.end());
        end.heldImages.assign(std::make_move_iterator(pack.Images.begin() + static_cast<std::ptrdiff_t>(end.imagesBefore)),
                              std::make_move_iterator(pack.Images.end()));
        pack.OwnerIDs.resize(end.imagesBefore);
        pack.Images.resize(end.imagesBefore);
        end.list->MaxID = end.maxIdBefore;
    }
}

void AppendStep::redo(TzkReelkeep& document)
{
    for (Place& place : m_places) {
        std::vector<RowPtr>& rows = rowsOf(*place.list, place.parent);
        for (RowPtr& row : place.held)
            rows.push_back(std::move(row));
        place.held.clear();
    }
    for (ListEnd& end : m_lists) {
        TImagePack& pack = end.list->Images;
        pack.OwnerIDs.insert(pack.OwnerIDs.end(), end.heldOwners.begin(), end.heldOwners.end());
        for (QByteArray& image : end.heldImages)
            pack.Images.push_back(std::move(image));
        end.heldOwners.clear();
        end.heldImages.clear();
        end.list->MaxID = end.maxIdAfter;
    }
    for (std::unique_ptr<TZKList>& list : m_heldLists)
        document.Lists().Lists.push_back(std::move(list));
    m_heldLists.clear();
}

DeleteStep::DeleteStep(TZKList& list, const std::vector<TzkRow*>& rows, std::size_t rowsMemory)
    : m_list(list), m_rowsMemory(rowsMemory)
{
    m_rows.reserve(rows.size());
    m_rows.insert(rows.begin(), rows.end());
}

void DeleteStep::undo(TzkReelkeep&)
{
    PutBackRows(m_list, m_taken);
}

void DeleteStep::redo(TzkReelkeep&)
{
    m_taken = TakeRows(m_list, m_rows, true);
    // What m_taken.bytes() would add up again: the rows' memory and the places they held.
    if (m_bytes == 0)
        m_bytes = sizeof(*this) + m_rows.size() * 2 * sizeof(void*) + m_rowsMemory + m_taken.rows.size() * sizeof(TakenRow)
                + m_taken.images.size() * sizeof(TakenImage);
}

ImageRemovalStep::ImageRemovalStep(TZKList& list, std::size_t index)
    : m_list(list), m_index(index), m_owner(list.Images.OwnerIDs[index]), m_bytes(list.Images.Images[index])
{
}

void ImageRemovalStep::undo(TzkReelkeep&)
{
    TImagePack& pack = m_list.Images;
    pack.OwnerIDs.insert(pack.OwnerIDs.begin() + static_cast<std::ptrdiff_t>(m_index), m_owner);
    pack.Images.insert(pack.Images.begin() + static_cast<std::ptrdiff_t>(m_index), m_bytes);
}

void ImageRemovalStep::redo(TzkReelkeep&)
{
    TImagePack& pack = m_list.Images;
    pack.OwnerIDs.erase(pack.OwnerIDs.begin() + static_cast<std::ptrdiff_t>(m_index));
    pack.Images.erase(pack.Images.begin() + static_cast<std::ptrdiff_t>(m_index));
}

GroupStep::GroupStep(TZKList& list, std::vector<TzkRow*> rows, TzkRow* parent)
    : m_list(list), m_rows(std::move(rows)), m_parent(parent)
{
}

void GroupStep::redo(TzkReelkeep&)
{
    if (!m_groupRow) {
        m_maxIdBefore = m_list.MaxID;
        m_groupRow = m_list.AddRow(m_parent);
        m_maxIdAfter = m_list.MaxID;
        FillGroupCells(*m_groupRow, m_rows, m_list);
        m_bytes = sizeof(*this) + MemoryOfRow(*m_groupRow);
        // A record that holds the new group cannot move under it; each record moves once.
        const std::unordered_set<const TzkRow*> holders = ancestorsAndSelf(m_list, m_groupRow);
        std::unordered_set<const TzkRow*> seen;
        for (TzkRow* row : m_rows)
            if (!holders.contains(row) && seen.insert(row).second) {
                m_moved.push_back(row);
                m_groupIdsBefore.push_back(row->GroupID);
            }
        m_bytes += m_moved.size() * (2 * sizeof(void*) + sizeof(std::int32_t) + sizeof(TakenRow));
    } else {
        rowsOf(m_list, m_parent).push_back(std::move(m_heldGroup));
        m_list.MaxID = m_maxIdAfter;
    }
    m_places = TakeRows(m_list, std::unordered_set<const TzkRow*>(m_moved.begin(), m_moved.end()), false);
    m_placeRows.clear();
    std::unordered_map<const TzkRow*, RowPtr*> taken;
    for (TakenRow& place : m_places.rows) {
        m_placeRows.push_back(place.row.get());
        taken.emplace(place.row.get(), &place.row);
    }
    for (TzkRow* row : m_moved) {
        row->GroupID = m_groupRow->ID;
        m_groupRow->Children.push_back(std::move(*taken.at(row)));
    }
}

void GroupStep::undo(TzkReelkeep&)
{
    std::unordered_map<const TzkRow*, RowPtr> children;
    for (RowPtr& child : m_groupRow->Children) {
        const TzkRow* key = child.get();
        children.emplace(key, std::move(child));
    }
    m_groupRow->Children.clear();
    for (std::size_t i = 0; i < m_places.rows.size(); ++i)
        m_places.rows[i].row = std::move(children.at(m_placeRows[i]));
    for (std::size_t i = 0; i < m_moved.size(); ++i)
        m_moved[i]->GroupID = m_groupIdsBefore[i];
    std::vector<RowPtr>& siblings = rowsOf(m_list, m_parent);
    m_heldGroup = std::move(siblings.back());
    siblings.pop_back();
    PutBackRows(m_list, m_places);
    m_list.MaxID = m_maxIdBefore;
}

OrderStep::OrderStep(TZKList& list, RowOrderSnapshot before) : m_list(list), m_before(std::move(before)) {}

void OrderStep::finish()
{
    m_after = CaptureRowOrder(m_list);
}

void OrderStep::undo(TzkReelkeep&)
{
    RestoreRowOrder(m_list, m_before);
}

void OrderStep::redo(TzkReelkeep&)
{
    RestoreRowOrder(m_list, m_after);
}

SheetStep::SheetStep(int index, bool added) : m_index(static_cast<std::size_t>(index)), m_added(added) {}

void SheetStep::put(TzkReelkeep& document)
{
    std::vector<std::unique_ptr<TZKList>>& lists = document.Lists().Lists;
    lists.insert(lists.begin() + static_cast<std::ptrdiff_t>(m_index), std::move(m_held));
}

void SheetStep::take(TzkReelkeep& document)
{
    std::vector<std::unique_ptr<TZKList>>& lists = document.Lists().Lists;
    m_held = std::move(lists[m_index]);
    lists.erase(lists.begin() + static_cast<std::ptrdiff_t>(m_index));
}

void SheetStep::undo(TzkReelkeep& document)
{
    m_added ? take(document) : put(document);
}

void SheetStep::redo(TzkReelkeep& document)
{
    m_added ? put(document) : take(document);
}

std::size_t SheetStep::bytes() const
{
    return sizeof(*this) + (m_held ? m_held->MemoryUsage() : 0);
}

RenameStep::RenameStep(TZKList& list, QString before, QString after)
    : m_list(list), m_before(std::move(before)), m_after(std::move(after))
{
}

void RenameStep::undo(TzkReelkeep&)
{
    m_list.Name = m_before;
}

void RenameStep::redo(TzkReelkeep&)
{
    m_list.Name = m_after;
}

bool RenameStep::absorb(const UndoStep& later)
{
    const auto* rename = dynamic_cast<const RenameStep*>(&later);
    if (!rename || &rename->m_list != &m_list)
        return false;
    m_after = rename->m_after;
    return true;
}

ColumnsStep::Settings ColumnsStep::capture(const TzkReelkeep& document)
{
    Settings settings{document.Autor(), {}};
    for (int i = 0; i < document.ListCount(); ++i) {
        const TZKList& list = *document.List(i);
        std::vector<Column>& columns = settings.lists.emplace_back();
        for (int c = 0; c < list.ColumnCount(); ++c) {
            const TzkColumn& column = list.Column(c);
            columns.push_back({column.Name, column.NamesWithDot, column.SecondNames, column.Type, column.LogicalValue, column.Pattern});
        }
    }
    return settings;
}

ColumnsStep::ColumnsStep(Settings before, Settings after) : m_before(std::move(before)), m_after(std::move(after)) {}

void ColumnsStep::apply(TzkReelkeep& document, const Settings& settings)
{
    document.SetAutor(settings.author);
    for (std::size_t i = 0; i < settings.lists.size() && i < static_cast<std::size_t>(document.ListCount()); ++i) {
        TZKList& list = *document.List(static_cast<int>(i));
        for (std::size_t c = 0; c < settings.lists[i].size(); ++c) {
            const Column& stored = settings.lists[i][c];
            TzkColumn& column = list.Column(static_cast<int>(c));
            column.Name = stored.name;
            column.NamesWithDot = stored.namesWithDot;
            column.SecondNames = stored.secondNames;
            column.Type = stored.type;
            column.LogicalValue = stored.logicalValue;
            column.Pattern = stored.pattern;
        }
    }
}

void ColumnsStep::undo(TzkReelkeep& document)
{
    apply(document, m_before);
}

void ColumnsStep::redo(TzkReelkeep& document)
{
    apply(document, m_after);
}

std::size_t ColumnsStep::bytes() const
{
    std::size_t total = sizeof(*this);
    for (const Settings* settings : {&m_before, &m_after})
        for (const std::vector<Column>& columns : settings->lists)
            for (const Column& column : columns)
                total += sizeof(Column) + textBytes(column.name) + textBytes(column.logicalValue) + textBytes(column.pattern);
    return total;
}

void BatchStep::undo(TzkReelkeep& document)
{
    for (auto step = m_steps.rbegin(); step != m_steps.rend(); ++step)
        (*step)->undo(document);
}

void BatchStep::redo(TzkReelkeep& document)
{
    for (const std::unique_ptr<UndoStep>& step : m_steps)
        step->redo(document);
}

UndoStep::Reach BatchStep::reach() const
{
    Reach widest = Reach::Cells;
    for (const std::unique_ptr<UndoStep>& step : m_steps)
        widest = std::max(widest, step->reach() == Reach::Cells ? Reach::Rows : step->reach());
    return widest;
}

std::size_t BatchStep::bytes() const
{
    std::size_t total = sizeof(*this);
    for (const std::unique_ptr<UndoStep>& step : m_steps)
        total += step->bytes();
    return total;
}

} // namespace reelkeep
