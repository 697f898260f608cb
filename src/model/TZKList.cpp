#include "TZKList.h"

#include "ReelkeepError.h"

#include <algorithm>
#include <limits>
#include <unordered_set>

namespace reelkeep {
namespace {

// Neutral definition for the internal slot 21, which is never shown, filtered or stored.
const ColumnDefinition& definitionOf(const ColumnDefinitions& defs, int i)
{
    static const ColumnDefinition neutral;
    return i < kStoredColumnCount ? defs[static_cast<size_t>(i)] : neutral;
}

RowPtr detachFrom(std::vector<RowPtr>& rows, TzkRow* row)
{
    for (auto it = rows.begin(); it != rows.end(); ++it) {
        if (it->get() == row) {
            RowPtr owned = std::move(*it);
            rows.erase(it);
            return owned;
        }
    }
    for (auto& candidate : rows)
        if (RowPtr owned = detachFrom(candidate->Children, row))
            return owned;
    return nullptr;
}

TzkRow* findIn(const std::vector<RowPtr>& rows, std::int32_t id)
{
    for (const auto& row : rows) {
        if (TzkRow* hit = findIn(row->Children, id))
            return hit;
        if (row->ID == id)
            return row.get();
    }
    return nullptr;
}

bool contains(const TzkRow& ancestor, const TzkRow* row)
{
    for (const auto& child : ancestor.Children)
        if (child.get() == row || contains(*child, row))
            return true;
    return false;
}

} // namespace

TZKList::TZKList(int columnCount, int capacity, const ColumnDefinitions& definitions, LocaleFormats formats)
    : Formats(std::move(formats))
{
    for (int i = 0; i < columnCount; ++i) {
        auto column = std::make_unique<TzkColumn>();
        column->Width = definitionOf(definitions, i).width;
        Columns.push_back(std::move(column));
    }
    ApplyColumnDefaults();
    // A stored count is only a hint; a damaged file must not make us reserve gigabytes.
    m_items.reserve(static_cast<size_t>(std::clamp(capacity, 0, 1 << 20)));
}

void TZKList::ApplyColumnDefaults()
{
    const ColumnDefinitions& builtIn = BuiltInColumnDefinitions();
    for (int i = 0; i < ColumnCount(); ++i) {
        const ColumnDefinition& def = definitionOf(builtIn, i);
        TzkColumn& column = Column(i);
        column.Type = def.type;
        column.NamesWithDot = def.namesWithDot;
        column.SecondNames = def.secondNames;
        column.Pattern = def.pattern;
    }
}

void TZKList::rebuildVisible() const
{
    m_visible.clear();
    for (const auto& row : m_items)
        if (!row->Filtered)
            m_visible.push_back(row.get());
    m_visibleValid = true;
}

int TZKList::VisibleRowCount() const
{
    if (!m_visibleValid)
        rebuildVisible();
    return static_cast<int>(m_visible.size());
}

TzkRow* TZKList::VisibleRow(int k) const
{
    if (!m_visibleValid)
        rebuildVisible();
    return k >= 0 && k < static_cast<int>(m_visible.size()) ? m_visible[static_cast<size_t>(k)] : nullptr;
}

void TZKList::placeRow(TzkRow* row, TzkRow* parent, RowPtr owned)
{
    if (m_items.size() == m_items.capacity())
        m_items.reserve(m_items.empty() ? 2 : m_items.size() * 2);
    if (parent) {
        row->GroupID = parent->ID;
        parent->Children.push_back(std::move(owned));
    } else {
        m_items.push_back(std::move(owned));
        invalidateVisible();
    }
}

TzkRow* TZKList::AddRow(TzkRow* parent)
{
    if (MaxID == std::numeric_limits<std::int32_t>::max())
        throw ReelkeepError(Message("RecordNumbersUsedUp"));
    auto owned = std::make_unique<TzkRow>();
    TzkRow* row = owned.get();
    row->ID = ++MaxID;
    placeRow(row, parent, std::move(owned));
    return row;
}

TzkRow* TZKList::InsertRow(RowPtr owned, TzkRow* parent)
{
    TzkRow* row = owned.get();
    placeRow(row, parent, std::move(owned));
    MaxID = std::max(MaxID, row->ID);
    return row;
}

RowPtr TZKList::DetachRow(TzkRow* row)
{
    invalidateVisible();
    return detachFrom(m_items, row);
}

void TZKList::DeleteRow(TzkRow* row)
{
    const RowPtr deleted = DetachRow(row);
    if (!deleted || Images.Count() == 0)
        return;
    std::unordered_set<std::int32_t> ids;
    std::vector<const TzkRow*> pending{deleted.get()};
    while (!pending.empty()) {
        const TzkRow* next = pending.back();
        pending.pop_back();
        ids.insert(next->ID);
        for (const RowPtr& child : next->Children)
            pending.push_back(child.get());
    }
    Images.DeleteImagesOf(ids);
}

TzkRow* TZKList::GroupRows(const std::vector<TzkRow*>& rows, TzkRow* parent)
{
    if (rows.empty())
        return nullptr;
    TzkRow* group = AddRow(parent);
    for (TzkRow* row : rows) {
        // A row that holds the new group cannot move under it.
        if (row == group || contains(*row, group))
            continue;
        if (RowPtr owned = DetachRow(row)) {
            owned->GroupID = group->ID;
            group->Children.push_back(std::move(owned));
        }
    }
    return group;
}

TzkRow* TZKList::FindRowByID(std::int32_t id) const
{
    return id == -1 ? nullptr : findIn(m_items, id);
}

void TZKList::SwapRows(int i, int j)
{
    std::swap(m_items[static_cast<size_t>(i)], m_items[static_cast<size_t>(j)]);
    invalidateVisible();
}

std::size_t TZKList::MemoryUsage() const
{
    std::size_t bytes = sizeof(TZKList) + m_items.capacity() * sizeof(RowPtr);
    for (const auto& row : m_items)
        bytes += MemoryOfRow(*row);
    for (const QByteArray& image : Images.Images)
        bytes += sizeof(QByteArray) + sizeof(std::int32_t) + std::size_t(image.capacity());
    return bytes;
}

} // namespace reelkeep
