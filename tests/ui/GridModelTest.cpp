// The grid's item model over a nested, partly filtered list.
#include "GridModel.h"
#include "TzkReelkeep.h"

#include <QAbstractItemModelTester>
#include <QItemSelectionModel>
#include <QSignalSpy>
#include <QTest>
#include <algorithm>

using namespace reelkeep;

class GridModelTest : public QObject {
    Q_OBJECT

private:
    TzkReelkeep doc;
    TZKList* list = nullptr;
    TzkRow* group = nullptr;
    TzkRow* inner = nullptr;

    TzkRow* add(const char* title, TzkRow* parent = nullptr)
    {
        TzkRow* row = list->AddRow(parent);
        row->Fields[csTitle] = QString::fromUtf8(title);
        return row;
    }

private slots:
    void init()
    {
        doc = TzkReelkeep();
        list = doc.AddList(0, QStringLiteral("L"));
        list->SetColumnName(1, QStringLiteral("Title"));
        add("b");
        group = add("group");
        add("g1", group);
        inner = add("g2", group);
        add("deep", inner);
        add("hidden", group)->Filtered = true;
        add("a")->Fields[csColour] = QStringLiteral("000000FF");
        add("filtered")->Filtered = true;
        doc.CurrentList = 1;
    }

    void treeFollowsVisibleRowsAndPassesTheTester()
    {
        GridModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.setDocument(&doc);
        QCOMPARE(model.rowCount(), 3);
        QCOMPARE(model.columnCount(), 21);
        const QModelIndex groupIndex = model.index(1, 0);
        QCOMPARE(model.rowCount(groupIndex), 2); // the filtered child is left out
        const QModelIndex deep = model.index(0, 1, model.index(1, 0, groupIndex));
        QCOMPARE(deep.data().toString(), QStringLiteral("deep"));
        QCOMPARE(model.rowAt(deep.parent()), inner);
        QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Title"));
        QCOMPARE(model.lastIndex(), model.index(2, 0));
        QCOMPARE(model.indexOf(inner, 3), model.index(1, 3, groupIndex));
        // What the grid holds, depth-first as it is drawn; hidden rows left out.
        QStringList shown;
        for (const TzkRow* row : model.shownRows())
            shown << row->Fields[csTitle];
        QCOMPARE(shown.join(QLatin1Char(',')), QStringLiteral("b,group,g1,g2,deep,a"));

        // Colour 00BBGGRR: "000000FF" is red; anything but hexadecimal paints white; empty leaves the grid's colour.
        QCOMPARE(model.index(2, 5).data(Qt::BackgroundRole).value<QBrush>().color(), QColor(255, 0, 0));
        QVERIFY(!model.index(0, 5).data(Qt::BackgroundRole).isValid());
        list->Row(0)->Fields[csColour] = QStringLiteral("nothex");
        model.cellChanged(list->Row(0), csColour);
        QCOMPARE(model.index(0, 0).data(Qt::BackgroundRole).value<QBrush>().color(), QColor(Qt::white));

        // The last node goes down through last children.
        list->DeleteRow(list->Row(2));
        model.rebuild();
        QCOMPARE(model.rowAt(model.lastIndex()), list->FindRowByID(5));
    }

    void sortingKeepsPersistentIndexesOnTheirRows()
    {
        GridModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.setDocument(&doc);
        const QPersistentModelIndex held = model.index(1, 2, model.index(1, 0));
        QCOMPARE(model.rowAt(held), inner);
        list->Sort(1, ctString);
        list->Sort(1, ctString); // descending: b, a, group; g2 before g1
        model.relayout();
        QCOMPARE(model.index(0, 1).data().toString(), QStringLiteral("group"));
        QCOMPARE(model.rowAt(held), inner);
        QCOMPARE(held.column(), 2);
        QCOMPARE(held.row(), 0);
    }

    // Rows b, group, a at the top, g1 and g2 in the group, deep in g2: a change to many rows
    // tells the grid once per run of neighbours under one parent, hidden rows left out.
    void aBulkChangeEmitsOneSignalPerRunOfNeighbours()
    {
        GridModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.setDocument(&doc);
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        TzkRow* g1 = group->Children[0].get();
        TzkRow* deep = inner->Children[0].get();
        TzkRow* hidden = group->Children[2].get();
        model.cellsChanged({list->Row(2), inner, list->Row(0), hidden, deep, list->Row(1), g1, inner}, 3);
        QStringList runs;
        for (const QList<QVariant>& signal : changed) {
            const auto first = signal[0].value<QModelIndex>();
            const auto last = signal[1].value<QModelIndex>();
            QCOMPARE(first.parent(), last.parent());
            QCOMPARE(first.column(), 3);
            QCOMPARE(last.column(), 3);
            runs << model.rowAt(first)->Fields[csTitle] + QLatin1Char('-') + model.rowAt(last)->Fields[csTitle];
        }
        runs.sort();
        QCOMPARE(runs.join(QLatin1Char(',')), QStringLiteral("b-a,deep-deep,g1-g2"));

        // The colour cell repaints whole rows; the first and the last top-level row are no run.
        changed.clear();
        model.cellsChanged({list->Row(0), list->Row(2)}, csColour);
        QCOMPARE(changed.size(), 2);
        QCOMPARE(changed[0][0].value<QModelIndex>(), model.index(0, 0));
        QCOMPARE(changed[0][1].value<QModelIndex>(), model.index(0, csColour));
        QCOMPARE(changed[1][0].value<QModelIndex>(), model.index(2, 0));
    }

    void outermostRowsLeaveOutDescendantsOfChosenRows()
    {
        GridModel model;
        model.setDocument(&doc);
        const QModelIndex groupIndex = model.index(1, 0);
        const QModelIndex deep = model.index(0, 0, model.index(1, 0, groupIndex));
        const QModelIndex first = model.index(0, 0);
        // Given deepest first, in any column, twice: the group and the first row stay, in the order given.
        const auto rows = model.outermostRows({deep, groupIndex.siblingAtColumn(4), first, groupIndex, model.index(0, 0, groupIndex)});
        QCOMPARE(rows.size(), size_t(2));
        QCOMPARE(rows[0], group);
        QCOMPARE(rows[1], list->Row(0));
    }

    // The rows read from the selection's ranges are those Qt's own row-by-row reading finds:
    // whole rows only (a row whose columns two ranges share counts), each once, nested rows
    // under the right parent, in selection order, display order or outermost.
    void selectedRowsAreThoseQtFindsRowByRow()
    {
        GridModel model;
        model.setDocument(&doc);
        QItemSelectionModel selection(&model);
        const QModelIndex groupIndex = model.index(1, 0);
        const QModelIndex g2 = model.index(1, 0, groupIndex);
        const auto rowsOf = [&model](const QModelIndexList& indexes) {
            std::vector<TzkRow*> rows;
            for (const QModelIndex& index : indexes)
                rows.push_back(model.rowAt(index));
            return rows;
        };
        const auto select = [&](const QModelIndex& first, const QModelIndex& last, QItemSelectionModel::SelectionFlags how) {
            selection.select(QItemSelection(first, last), how);
        };
        const auto titles = [](const std::vector<TzkRow*>& rows) {
            QStringList shown;
            for (const TzkRow* row : rows)
                shown << row->Fields[csTitle];
            return shown.join(QLatin1Char(','));
        };
        const auto check = [&] {
            const std::vector<TzkRow*> expected = rowsOf(selection.selectedRows());
            QCOMPARE(titles(model.selectedRows(selection)), titles(expected));
            std::vector<TzkRow*> inOrder = model.shownRows();
            std::erase_if(inOrder, [&expected](const TzkRow* row) { return std::find(expected.begin(), expected.end(), row) == expected.end(); });
            QCOMPARE(titles(model.selectedRowsInDisplayOrder(selection)), titles(inOrder));
            QCOMPARE(titles(model.outermostSelected(selection)), titles(model.outermostRows(selection.selectedRows())));
        };
        // Nested rows first, then the top level over them, overlapping.
        select(model.index(0, 0, g2), model.index(0, 0, g2), QItemSelectionModel::Select | QItemSelectionModel::Rows);
        select(model.index(0, 0, groupIndex), model.index(1, 0, groupIndex), QItemSelectionModel::Select | QItemSelectionModel::Rows);
        select(model.index(2, 0), model.index(2, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
        select(model.index(1, 0), model.index(2, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
        check();
        QCOMPARE(titles(model.selectedRowsInDisplayOrder(selection)), QStringLiteral("group,g1,g2,deep,a"));
        QCOMPARE(model.outermostSelected(selection).size(), size_t(2));
        // One cell is no row; a row whose columns two ranges cover is.
        select(model.index(0, 3), model.index(0, 3), QItemSelectionModel::ClearAndSelect);
        check();
        QVERIFY(model.selectedRows(selection).empty());
        select(model.index(0, 0, groupIndex), model.index(0, 9, groupIndex), QItemSelectionModel::ClearAndSelect);
        select(model.index(0, 10, groupIndex), model.index(0, GridModel::kShownColumns - 1, groupIndex), QItemSelectionModel::Select);
        select(model.index(0, 4), model.index(0, GridModel::kShownColumns - 1), QItemSelectionModel::Select);
        check();
        QCOMPARE(titles(model.selectedRows(selection)), QStringLiteral("g1"));
        // A row taken out of a range.
        select(model.index(0, 0), model.index(2, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        select(model.index(1, 0), model.index(1, 0), QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
        check();
        QCOMPARE(titles(model.selectedRows(selection)), QStringLiteral("b,a"));
    }

    void aChildOfTheFirstRecordChosenWithItIsNotTakenTwice()
    {
        TzkRow* first = list->Row(0);
        TzkRow* child = add("b1", first);
        GridModel model;
        model.setDocument(&doc);
        const QModelIndex firstIndex = model.index(0, 0);
        QCOMPARE(model.rowAt(model.index(0, 0, firstIndex)), child);
        const auto rows = model.outermostRows({model.index(0, 2, firstIndex), firstIndex});
        QCOMPARE(rows.size(), size_t(1));
        QCOMPARE(rows[0], first);
        QCOMPARE(model.parent(model.index(0, 0, firstIndex)), firstIndex);
    }
};

QTEST_GUILESS_MAIN(GridModelTest)
#include "GridModelTest.moc"
