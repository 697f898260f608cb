#include "GridModel.h"

#include "RecordEditing.h"
#include "TzkReelkeep.h"

#include <QColor>
#include <unordered_map>
#include <unordered_set>

namespace reelkeep {

GridModel::GridModel(QObject* parent) : QAbstractItemModel(parent) {}

void GridModel::setDocument(const TzkReelkeep* document)
{
    m_document = document;
    rebuild();
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
}

void GridModel::rebuild()
{
    beginResetModel();
    buildNodes();
    endResetModel();
}

void GridModel::relayout()
{
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<std::pair<const TzkRow*, int>> held;
    held.reserve(static_cast<size_t>(before.size()));
    for (const QModelIndex& index : before)
        held.emplace_back(rowAt(index), index.column());
    buildNodes();
    if (!before.isEmpty()) {
        std::unordered_map<const TzkRow*, int> nodeOfRow;
        nodeOfRow.reserve(m_nodes.size());
        for (size_t i = 0; i < m_nodes.size(); ++i)
            nodeOfRow.emplace(m_nodes[i].row, static_cast<int>(i));
        QModelIndexList after;
        after.reserve(before.size());
        for (const auto& [row, column] : held) {
            const auto found = nodeOfRow.find(row);
            after.append(found == nodeOfRow.end()
                             ? QModelIndex()
                             : createIndex(m_nodes[static_cast<size_t>(found->second)].position, column, found->second));
        }
        changePersistentIndexList(before, after);
    }
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void GridModel::cellChanged(const TzkRow* row, int column)
{
    const QModelIndex index = indexOf(row, column);
    if (!index.isValid())
        return;
    // The colour cell paints the whole row.
    if (column == kShownColumns - 1)
        emit dataChanged(index.siblingAtColumn(0), index, {Qt::DisplayRole, Qt::BackgroundRole, Qt::ForegroundRole});
    else
        emit dataChanged(index, index, {Qt::DisplayRole});
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
    for (size_t i = 0; i < m_nodes.size(); ++i)
        if (m_nodes[i].row == row)
            return createIndex(m_nodes[i].position, column, static_cast<quintptr>(i));
    return {};
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
    std::unordered_set<int> chosen;
    for (const QModelIndex& index : indexes)
        if (index.isValid())
            chosen.insert(nodeOf(index));
    std::vector<TzkRow*> rows;
    std::unordered_set<int> taken;
    for (const QModelIndex& index : indexes) {
        if (!index.isValid() || !taken.insert(nodeOf(index)).second)
            continue;
        bool nested = false;
        for (int up = m_nodes[static_cast<size_t>(nodeOf(index))].parent; up >= 0 && !nested;
             up = m_nodes[static_cast<size_t>(up)].parent)
            nested = chosen.count(up) > 0;
        if (!nested)
            rows.push_back(rowAt(index));
    }
    return rows;
}

std::vector<TzkRow*> GridModel::shownRows() const
{
    std::vector<TzkRow*> rows;
    rows.reserve(m_nodes.size());
    // Node numbers still to visit, the next one on top.
    std::vector<int> pending;
    for (int node = m_topCount - 1; node >= 0; --node)
        pending.push_back(node);
    while (!pending.empty()) {
        const Node& n = m_nodes[static_cast<size_t>(pending.back())];
        pending.pop_back();
        rows.push_back(n.row);
        for (int child = n.firstChild + n.childCount - 1; child >= n.firstChild; --child)
            pending.push_back(child);
    }
    return rows;
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
