// The grid's cells, drawn from texts laid out once, look exactly as the style draws them:
// compared pixel by pixel with the style's own drawing of the same grid, for plain, cut
// short, empty, two-line, coloured, selected and current cells, and again after a column
// is narrowed, the font is changed and the grid is disabled.
#include "GridCellDelegate.h"
#include "RecordGrid.h"

#include <QHeaderView>
#include <QStandardItemModel>
#include <QTest>

using namespace reelkeep;

namespace {

// The grid's cells as the style draws them, with the grid's lines.
class StyleDrawnCells : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::paint(painter, option, index);
        GridCellDelegate::drawGridLines(painter, option);
    }
};

// Pixels that differ between the two images (of one size).
int DifferentPixels(const QImage& a, const QImage& b)
{
    int count = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x)
            count += a.pixel(x, y) != b.pixel(x, y) ? 1 : 0;
    }
    return count;
}

} // namespace

class GridCellDelegateTest : public QObject {
    Q_OBJECT

private:
    // The grid drawn by its own cells and by the style's; at most a few pixels of text
    // placed a fraction differently may differ.
    static void compareWithStyle(RecordGrid& grid, const char* when)
    {
        QAbstractItemDelegate* own = grid.itemDelegate();
        const QImage drawn = grid.viewport()->grab().toImage();
        StyleDrawnCells style;
        grid.setItemDelegate(&style);
        const QImage expected = grid.viewport()->grab().toImage();
        grid.setItemDelegate(own);
        QCOMPARE(drawn.size(), expected.size());
        const int different = DifferentPixels(drawn, expected);
        QVERIFY2(different <= 8, qPrintable(QStringLiteral("%1: %2 pixels differ").arg(QLatin1String(when)).arg(different)));
    }

private slots:
    void cellsLookAsTheStyleDrawsThem()
    {
        QStandardItemModel model(6, 3);
        const QStringList texts = {
            QStringLiteral("1"), QStringLiteral("Дорога на юг"), QStringLiteral("The Road South"),
            QStringLiteral("2"), QStringLiteral("Очень длинное название, которое не помещается в столбец"), QString(),
            QStringLiteral("3"), QStringLiteral("Две\nстроки"), QStringLiteral("AVC, 1280x720, 23.976"),
            QStringLiteral("4"), QStringLiteral("Цветная запись"), QStringLiteral("Coloured"),
            QStringLiteral("5"), QStringLiteral("Выбранная"), QStringLiteral("Selected"),
            QStringLiteral("6"), QStringLiteral("Текущая"), QStringLiteral("Current"),
        };
        for (int i = 0; i < texts.size(); ++i)
            model.setData(model.index(i / 3, i % 3), texts[i]);
        for (int c = 0; c < 3; ++c) {
            model.setData(model.index(3, c), QBrush(QColor(0, 0, 160)), Qt::BackgroundRole);
            model.setData(model.index(3, c), QBrush(Qt::white), Qt::ForegroundRole);
        }
        RecordGrid grid;
        grid.setModel(&model);
        grid.header()->resizeSection(0, 40);
        grid.header()->resizeSection(1, 260);
        grid.header()->resizeSection(2, 160);
        grid.resize(520, 200);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        grid.selectionModel()->select(QItemSelection(model.index(4, 0), model.index(5, 2)), QItemSelectionModel::ClearAndSelect);
        grid.selectionModel()->setCurrentIndex(model.index(5, 1), QItemSelectionModel::NoUpdate);
        grid.setFocus();
        compareWithStyle(grid, "as shown");

        // Laid out for one width, a text is cut short afresh for another.
        grid.header()->resizeSection(1, 90);
        grid.header()->resizeSection(2, 70);
        compareWithStyle(grid, "columns narrowed");

        QFont bigger = grid.font();
        bigger.setPointSizeF(bigger.pointSizeF() * 1.5);
        bigger.setBold(true);
        grid.setFont(bigger);
        compareWithStyle(grid, "another font");

        grid.setEnabled(false);
        compareWithStyle(grid, "disabled");
    }
};

QTEST_MAIN(GridCellDelegateTest)
#include "GridCellDelegateTest.moc"
