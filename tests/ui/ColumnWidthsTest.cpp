// Column widths of the grid in a font larger than the classic one the stored widths
// were made for: shown scaled, stored back unscaled, and numbers never cut short.
#include "UiTestSupport.h"

#include <QHeaderView>
#include <QStyle>

using namespace reelkeep;
using namespace reelkeep::testing;

class ColumnWidthsTest : public QObject, MainWindowFixture {
    Q_OBJECT

private:
    QFont m_font;

private slots:
    void init()
    {
        m_font = QApplication::font();
        QFont large = m_font;
        large.setPixelSize(22);
        QApplication::setFont(large);
        newProgramFolder();
        TestCatalogue films;
        films.sheet("Фильмы").record({{0, "412345"}, {csTitle, "Амели"}, {11, "2001"}, {3, "1234567"}});
        // The longest number of a column may stand after shorter ones, and inside a group.
        TzkRow* group = films.record({{0, "5"}, {csTitle, "Группа"}, {3, "12"}});
        films.record({{0, "6"}, {csTitle, "Внутри"}, {3, "987654321098"}}, group);
        films.doc.SaveToFile(cli->path("films.kdx"));
        startMainWindow();
        QVERIFY(showMainWindow({1200, 800}));
        QVERIFY((list = openLoaded(cli->path("films.kdx"))));
    }
    void cleanup()
    {
        closeMainWindow();
        QApplication::setFont(m_font);
    }

    void widthsFollowTheFontAndNumbersAreNeverCut()
    {
        QTreeView* grid = list->grid();
        const QFontMetrics metrics(grid->font());
        const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
        const double perClassicPixel = metrics.horizontalAdvance(letters) / 52.0 / 6.0;
        QVERIFY(perClassicPixel > 1.5);
        const TZKList& sheet = *list->controller().currentList();
        // A text column keeps its stored width, in this font's measure.
        QCOMPARE(grid->header()->sectionSize(csTitle), qRound(sheet.Column(csTitle).Width * perClassicPixel));
        // Every number shows whole, as a person reads it.
        const int margin = grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1;
        grid->expandAll();
        const QModelIndex nested = grid->model()->index(0, 0, grid->model()->index(1, 0));
        for (const QModelIndex& row : {grid->model()->index(0, 0), nested})
            for (const int column : {0, 3, 11}) {
                const QModelIndex cell = row.siblingAtColumn(column);
                QVERIFY2(grid->visualRect(cell).width() - 2 * margin >= metrics.horizontalAdvance(cell.data().toString()),
                         qPrintable(cell.data().toString()));
            }
        // A width the person dragged is stored in the classic measure.
        grid->header()->resizeSection(csTitle, 400);
        main->menus().action("miSaveColWidth")->trigger();
        QCOMPARE(main->shell().options().ColWidth[csTitle], qRound(400 / perClassicPixel));
        QCOMPARE(sheet.Column(csTitle).Width, qRound(400 / perClassicPixel));
    }
};

QTEST_MAIN(ColumnWidthsTest)
#include "ColumnWidthsTest.moc"
