// The grid of a list window: a tree view with grid lines and movable, clickable column
// headers, whose indentation strip, left of the nested records' titles, is painted in
// the row colour like the cells beside it.
#pragma once

#include <QPointer>
#include <QTreeView>
#include <vector>

namespace reelkeep {

class TZKList;
class zkOptions;

class RecordGrid : public QTreeView {
    Q_OBJECT
public:
    explicit RecordGrid(QWidget* parent = nullptr);

    // Column positions from the settings, widths from the sheet, the colour column hidden.
    void applyColumnLayout(const TZKList& list, const zkOptions& options);
    // The column widths in header order of the columns 0..20, in the sheet's stored units.
    std::vector<int> storedColumnWidths() const;
    // The header gets an empty selection of its own: it highlights no sections, yet Qt's
    // header reads every column's selection state row by row after each selection change,
    // tens of milliseconds on 100,000 selected records.
    void setSelectionModel(QItemSelectionModel* selection) override;

protected:
    void drawBranches(QPainter* painter, const QRect& rect, const QModelIndex& index) const override;
    // Rows are all one height: a change to many rows repaints what is shown, without the
    // views' walk over every row changed (a colour given to 100,000 records).
    void dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight, const QList<int>& roles = {}) override;

private:
    QPointer<QItemSelectionModel> m_headerSelection;
};

} // namespace reelkeep
