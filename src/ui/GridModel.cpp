#include "GridModel.h"

#include "RecordEditing.h"
#include "TzkReelkeep.h"

#include <QColor>
#include <QItemSelectionModel>
#include <algorithm>
#include <exception>
#include <utility>

namespace reelkeep {
namespace {

// Runs the change, handing back what it threw, so that the model's end signal comes first.
std::exception_ptr runChange(const GridModel::DocumentChange& change)
{
    try {
        if (change)
            change();
    } catch (...) {
        return std::current_exception();
    }
    return {};
}

} // namespace

GridModel::GridModel(QObject* parent) : QAbstractItemModel(parent) {}

void GridModel::setDocument(const TzkReelkeep* document, const DocumentChange& change)
{
    rebuild([&] {
        if (change)
            change();
        m_document = document;
    });
}

const TZKList* GridModel::list() const
{
    if (!m_document || m_document->CurrentList < 1 || m_document->CurrentList > m_document->ListCount())
        return nullptr;
    return m_document->List(m_document->CurrentList - 1);
}

void GridModel::buildNodes()
{
    m_nodes.clear();
    m_nodeOfRow.clear();
    m_topCount = 0;
    const TZKList* shown = list();
    if (!shown)
        return;
    m_nodes.reserve(static_cast<size_t>(shown->RowCount()));
    for (const RowPtr& row : shown->Items())
        if (!row->Filtered)
            m_nodes.push_back({row.get(), -1, m_topCount++, 0, 0});
    // Breadth first, so the children of every node lie next to each other.
    for (size_t i = 0; i < m_nodes.size(); ++i) {
        const int first = static_cast<int>(m_nodes.size());
        int count = 0;
        for (const RowPtr& child : m_nodes[i].row->Children)
            if (!child->Filtered)
                m_nodes.push_back({child.get(), static_cast<int>(i), count++, 0, 0});
        m_nodes[i].firstChild = first;
        m_nodes[i].childCount = count;
    }
    m_nodeOfRow.reserve(static_cast<qsizetype>(m_nodes.size()));
    for (size_t i = 0; i < m_nodes.size(); ++i)
        m_nodeOfRow.emplace(m_nodes[i].row, static_cast<int>(i));
}

void GridModel::rebuild(const DocumentChange& change)
{
    beginResetModel();
    const std::exception_ptr failure = runChange(change);
    buildNodes();
    endResetModel();
    if (failure)
        std::rethrow_exception(failure);
}

void GridModel::relayout(const DocumentChange& change)
{
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<std::pair<const TzkRow*, int>> held;
    held.reserve(static_cast<size_t>(before.size()));
    for (const QModelIndex& index : before)
        held.emplace_back(rowAt(index), index.column());
    const std::exception_ptr failure = runChange(change);
    buildNodes();
    if (!before.isEmpty()) {
        QModelIndexList after;
        after.reserve(before.size());
        for (const auto& [row, column] : held)
            after.append(indexOf(row, column));
        changePersistentIndexList(before, after);
    }
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    if (failure)
        std::rethrow_exception(failure);
}

void GridModel::cellChanged(const TzkRow* row, int column)
{
    const QModelIndex index = indexOf(row, column);
    if (index.isValid())
        emitCellsChanged(index, index, column);
}

void GridModel::emitCellsChanged(const QModelIndex& first, const QModelIndex& last, int column)
{
    // The colour cell paints the whole row.
    if (column == kShownColumns - 1)
        emit dataChanged(first.siblingAtColumn(0), last, {Qt::DisplayRole, Qt::BackgroundRole, Qt::ForegroundRole});
    else
        emit dataChanged(first, last, {Qt::DisplayRole});
}

void GridModel::cellsChanged(const std::vector<TzkRow*>& rows, int column)
{
    // Node numbers run through each parent's children in order, so neighbouring rows
    // under one parent have consecutive numbers.
    std::vector<int> nodes;
    nodes.reserve(rows.size());
    for (const TzkRow* row : rows)
        if (const auto found = m_nodeOfRow.constFind(row); found != m_nodeOfRow.cend())
            nodes.push_back(*found);
    std::sort(nodes.begin(), nodes.end());
    nodes.erase(std::unique(nodes.begin(), nodes.end()), nodes.end());
    for (size_t start = 0; start < nodes.size();) {
        size_t end = start + 1;
        while (end < nodes.size() && nodes[end] == nodes[end - 1] + 1
               && m_nodes[static_cast<size_t>(nodes[end])].parent == m_nodes[static_cast<size_t>(nodes[start])].parent)
            ++end;
        const Node& first = m_nodes[static_cast<size_t>(nodes[start])];
        const Node& last = m_nodes[static_cast<size_t>(nodes[end - 1])];
        emitCellsChanged(createIndex(first.position, column, static_cast<quintptr>(nodes[start])),
                         createIndex(last.position, column, static_cast<quintptr>(nodes[end - 1])), column);
        start = end;
    }
}

void GridModel::rowChanged(const TzkRow* row)
{
    const QModelIndex index = indexOf(row);
    if (index.isValid())
        emit dataChanged(index, index.siblingAtColumn(kShownColumns - 1), {Qt::DisplayRole});
}

void GridModel::headerChanged()
{
    emit headerDataChanged(Qt::Horizontal, 0, kShownColumns - 1);
}

TzkRow* GridModel::rowAt(const QModelIndex& index) const
{
    return index.isValid() ? m_nodes[static_cast<size_t>(nodeOf(index))].row : nullptr;
}

QModelIndex GridModel::indexOf(const TzkRow* row, int column) const
{
    const auto found = m_nodeOfRow.constFind(row);
    if (found == m_nodeOfRow.cend())
        return {};
    return createIndex(m_nodes[static_cast<size_t>(*found)].position, column, static_cast<quintptr>(*found));
}

QModelIndex GridModel::lastIndex() const
{
    if (m_topCount == 0)
        return {};
    int node = m_topCount - 1;
    while (m_nodes[static_cast<size_t>(node)].childCount > 0) {
        const Node& n = m_nodes[static_cast<size_t>(node)];
        node = n.firstChild + n.childCount - 1;
    }
    return createIndex(m_nodes[static_cast<size_t>(node)].position, 0, static_cast<quintptr>(node));
}

std::vector<TzkRow*> GridModel::outermostRows(const QModelIndexList& indexes) const
{
    std::vector<int> nodes;
    nodes.reserve(static_cast<size_t>(indexes.size()));
    for (const QModelIndex& index : indexes)
        if (index.isValid())
            nodes.push_back(nodeOf(index));
    return outermostOf(nodes);
}

std::vector<TzkRow*> GridModel::outermostOf(const std::vector<int>& nodes) const
{
    std::vector<char> chosen(m_nodes.size());
    for (const int node : nodes)
        chosen[static_cast<size_t>(node)] = 1;
    std::vector<TzkRow*> rows;
    std::vector<char> taken(m_nodes.size());
    for (const int node : nodes) {
        if (std::exchange(taken[static_cast<size_t>(node)], 1))
            continue;
        bool nested = false;
        for (int up = m_nodes[static_cast<size_t>(node)].parent; up >= 0 && !nested; up = m_nodes[static_cast<size_t>(up)].parent)
            nested = chosen[static_cast<size_t>(up)];
        if (!nested)
            rows.push_back(m_nodes[static_cast<size_t>(node)].row);
    }
    return rows;
}

std::vector<int> GridModel::displayOrder() const
{
    std::vector<int> order;
    order.reserve(m_nodes.size());
    // Node numbers still to visit, the next one on top.
    std::vector<int> pending;
    for (int node = m_topCount - 1; node >= 0; --node)
        pending.push_back(node);
    while (!pending.empty()) {
        const Node& n = m_nodes[static_cast<size_t>(pending.back())];
        order.push_back(pending.back());
        pending.pop_back();
        for (int child = n.firstChild + n.childCount - 1; child >= n.firstChild; --child)
            pending.push_back(child);
    }
    return order;
}

std::vector<TzkRow*> GridModel::shownRows() const
{
    std::vector<TzkRow*> rows;
    rows.reserve(m_nodes.size());
    for (const int node : displayOrder())
        rows.push_back(m_nodes[static_cast<size_t>(node)].row);
    return rows;
}

std::vector<int> GridModel::selectedNodes(const QItemSelectionModel& selection) const
{
    std::vector<int> nodes;
    if (selection.model() != this)
        return nodes;
    std::vector<char> taken(m_nodes.size());
    const auto take = [&](int node) {
        if (!std::exchange(taken[static_cast<size_t>(node)], 1))
            nodes.push_back(node);
    };
    for (const QItemSelectionRange& range : selection.selection()) {
        if (!range.isValid())
            continue;
        // Rows under one parent are consecutive nodes.
        const QModelIndex top = range.topLeft();
        const int firstNode = nodeOf(top) - top.row();
        const bool wholeRows = range.left() == 0 && range.right() == kShownColumns - 1;
        for (int row = range.top(); row <= range.bottom(); ++row)
            if (wholeRows || selection.isRowSelected(row, range.parent()))
                take(firstNode + row);
    }
    return nodes;
}

std::vector<TzkRow*> GridModel::selectedRows(const QItemSelectionModel& selection) const
{
    std::vector<TzkRow*> rows;
    for (const int node : selectedNodes(selection))
        rows.push_back(m_nodes[static_cast<size_t>(node)].row);
    return rows;
}

std::vector<TzkRow*> GridModel::selectedRowsInDisplayOrder(const QItemSelectionModel& selection) const
{
    std::vector<char> chosen(m_nodes.size());
    std::size_t count = 0;
    for (const int node : selectedNodes(selection)) {
        chosen[static_cast<size_t>(node)] = 1;
        ++count;
    }
    std::vector<TzkRow*> rows;
    rows.reserve(count);
    if (count > 0)
        for (const int node : displayOrder())
            if (chosen[static_cast<size_t>(node)])
                rows.push_back(m_nodes[static_cast<size_t>(node)].row);
    return rows;
}

std::vector<TzkRow*> GridModel::outermostSelected(const QItemSelectionModel& selection) const
{
    return outermostOf(selectedNodes(selection));
}

QModelIndex GridModel::index(int row, int column, const QModelIndex& parent) const
{
    if (row < 0 || column < 0 || column >= kShownColumns || row >= rowCount(parent))
        return {};
    const int node = parent.isValid() ? m_nodes[static_cast<size_t>(nodeOf(parent))].firstChild + row : row;
    return createIndex(row, column, static_cast<quintptr>(node));
}

QModelIndex GridModel::parent(const QModelIndex& child) const
{
    if (!child.isValid())
        return {};
    const int up = m_nodes[static_cast<size_t>(nodeOf(child))].parent;
    if (up < 0)
        return {};
    return createIndex(m_nodes[static_cast<size_t>(up)].position, 0, static_cast<quintptr>(up));
}

int GridModel::rowCount(const QModelIndex& parent) const
{
    if (!parent.isValid())
        return m_topCount;
    if (parent.column() != 0)
        return 0;
    return m_nodes[static_cast<size_t>(nodeOf(parent))].childCount;
}

int GridModel::columnCount(const QModelIndex&) const
{
    return kShownColumns;
}

QBrush GridModel::brushFor(const QString& colour) const
{
    const auto cached = m_brushes.constFind(colour);
    if (cached != m_brushes.cend())
        return *cached;
    // The panel's colour box reads the cell the same way: a cell that is no colour is white.
    const QBrush brush(QColor::fromRgb(ColourOfCell(colour)));
    if (m_brushes.size() > 1024)
        m_brushes.clear();
    m_brushes.insert(colour, brush);
    return brush;
}

QVariant GridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const TzkRow& row = *rowAt(index);
    if (role == Qt::DisplayRole)
        return row.Fields[static_cast<size_t>(index.column())];
    if (role == Qt::BackgroundRole || role == Qt::ForegroundRole) {
        const QString& colour = row.Fields[static_cast<size_t>(kShownColumns - 1)];
        if (colour.isEmpty())
            return {};
        if (role == Qt::BackgroundRole)
            return brushFor(colour);
        // Text in black or white, whichever stands out more on the row's colour.
        return QBrush(WantsLightText(ColourOfCell(colour)) ? Qt::white : Qt::black);
    }
    return {};
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= kShownColumns)
        return {};
    const TZKList* shown = list();
    return shown ? QVariant(shown->GetColumnName(section)) : QVariant(QString());
}

} // namespace reelkeep
