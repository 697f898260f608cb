// The grid's item model over the visible record tree of a document's current list.
// Nodes hold handles to the rows (no cell is copied); index() and parent() are O(1).
#pragma once

#include <QAbstractItemModel>
#include <QBrush>
#include <QHash>
#include <vector>

namespace reelkeep {

class TZKList;
class TzkReelkeep;
class TzkRow;

class GridModel : public QAbstractItemModel {
    Q_OBJECT
public:
    static constexpr int kShownColumns = 21; // columns 0..20; 20 is the row colour

    explicit GridModel(QObject* parent = nullptr);

    // Shows the document's current list (none while the document is null or has no list).
    void setDocument(const TzkReelkeep* document);
    // Rebuilds the node table in one reset, after any structural change.
    void rebuild();
    // Rebuilds the node table after the rows were reordered, keeping persistent indexes.
    void relayout();
    // One cell of a row changed.
    void cellChanged(const TzkRow* row, int column);
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
    int nodeOf(const QModelIndex& index) const { return static_cast<int>(index.internalId()); }
    QBrush brushFor(const QString& colour) const;

    const TzkReelkeep* m_document = nullptr;
    std::vector<Node> m_nodes;
    int m_topCount = 0;
    mutable QHash<QString, QBrush> m_brushes;
};

} // namespace reelkeep
