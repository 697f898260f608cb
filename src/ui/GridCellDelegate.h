// The cells of the grid, with horizontal and vertical grid lines. A repaint of a big
// window draws about a thousand cells, and laying out their texts each time (twice: to
// place them and to cut them short) was most of its cost: a cell's text is laid out once
// for its width and kept.
#pragma once

#include <QFont>
#include <QHash>
#include <QStaticText>
#include <QStyledItemDelegate>
#include <utility>

namespace reelkeep {

class GridCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    // The cell's lines at its right and bottom.
    static void drawGridLines(QPainter* painter, const QStyleOptionViewItem& option);

private:
    // A plain line of text, neither focused nor right to left: what nearly every cell is.
    bool paintPlainCell(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const;
    const QStaticText& laidOut(const QString& text, const QStyleOptionViewItem& option, int width) const;

    // The texts laid out so far, by text and width, for the font they were laid out in.
    mutable QHash<std::pair<QString, int>, QStaticText> m_texts;
    mutable QFont m_font;
};

} // namespace reelkeep
