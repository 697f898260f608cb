// The grid's item model over the visible record tree of a document's current list.
// Nodes hold handles to the rows (no cell is copied); index(), parent() and indexOf() are O(1).
#pragma once

#include <QAbstractItemModel>
#include <QBrush>
#include <QHash>
#include <functional>
#include <vector>

class QItemSelectionModel;

namespace reelkeep {

class TZKList;
class TzkReelkeep;
class TzkRow;

class GridModel : public QAbstractItemModel {
    Q_OBJECT
public:
    static constexpr int kShownColumns = 21; // columns 0..20; 20 is the row colour

    explicit GridModel(QObject* parent = nullptr);

    // A change to the document, run between the model's begin and end signals so that views
    // never read rows that are gone. An exception from it still ends the signals, then goes on.
    using DocumentChange = std::function<void()>;

    // Shows the document's current list (none while the document is null or has no list);
    // change (the old document going, say) runs inside the reset.
    void setDocument(const TzkReelkeep* document, const DocumentChange& change = {});
    // Rebuilds the node table in one reset around a structural change (rows added or
    // deleted, another sheet shown, a filter).
    void rebuild(const DocumentChange& change = {});
    // Rebuilds the node table around a change that reorders the rows, keeping persistent indexes.
    void relayout(const DocumentChange& change = {});
    // One cell of a row changed.
    void cellChanged(const TzkRow* row, int column);
    // One column of many rows changed: one dataChanged per run of neighbouring rows.
    void cellsChanged(const std::vector<TzkRow*>& rows, int column);
    // Something of the row beyond one cell changed (its images): the whole row is redrawn.
    void rowChanged(const TzkRow* row);
    // The header captions changed (column names, sheet switch).
    void headerChanged();

    TzkRow* rowAt(const QModelIndex& index) const;
    QModelIndex indexOf(const TzkRow* row, int column = 0) const;
    // The index of the last node in display order (last top-level node, then its last
    // children down to the deepest level); invalid when the grid is empty.
    QModelIndex lastIndex() const;
    // The rows of the indexes (any column), in the order given, each once, leaving out
    // every row one of whose ancestors is among them.
    std::vector<TzkRow*> outermostRows(const QModelIndexList& indexes) const;
    // Every row the grid holds, collapsed ones included, in display order: each
    // top-level row followed depth-first by its children.
    std::vector<TzkRow*> shownRows() const;

    // The rows a selection over this model selects whole, read from its ranges: as
    // QItemSelectionModel::selectedRows() lists them (range by range, each row once),
    // without its test of every row, which takes seconds over 100,000 rows.
    std::vector<TzkRow*> selectedRows(const QItemSelectionModel& selection) const;
    // The same in display order, as shownRows() lists them.
    std::vector<TzkRow*> selectedRowsInDisplayOrder(const QItemSelectionModel& selection) const;
    // The same as outermostRows() of the selected rows.
    std::vector<TzkRow*> outermostSelected(const QItemSelectionModel& selection) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    struct Node {
        TzkRow* row;
        int parent;     // node number, -1 at top level
        int position;   // row number under the parent
        int firstChild; // node number of the first child; children are consecutive
        int childCount;
    };

    const TZKList* list() const;
    void buildNodes();
    // Node numbers in display order.
    std::vector<int> displayOrder() const;
    std::vector<int> selectedNodes(const QItemSelectionModel& selection) const;
    std::vector<TzkRow*> outermostOf(const std::vector<int>& nodes) const;
    int nodeOf(const QModelIndex& index) const { return static_cast<int>(index.internalId()); }
    QBrush brushFor(const QString& colour) const;
    void emitCellsChanged(const QModelIndex& first, const QModelIndex& last, int column);

    const TzkReelkeep* m_document = nullptr;
    std::vector<Node> m_nodes;
    QHash<const TzkRow*, int> m_nodeOfRow;
    int m_topCount = 0;
    mutable QHash<QString, QBrush> m_brushes;
};

} // namespace reelkeep
