// The duplicates window over two open catalogues, checked against reelkeep-cli's
// duplicates on the same files: groups across catalogues and sheets, a record shown
// in its window (its catalogue opened again when it was closed), and deletion.
#include "TfmDuplicates.h"
#include "UiTestSupport.h"

#include <QComboBox>
#include <QTreeWidget>

using namespace reelkeep;
using namespace reelkeep::testing;

namespace {

constexpr int kYear = 11, kSize = 3, kLength = 12;

// Each group as "file:sheet:ID" members, as the window lists them.
QStringList WindowGroups(const QTreeWidget* tree)
{
    QStringList groups;
    for (int g = 0; g < tree->topLevelItemCount(); ++g) {
        QStringList members;
        const QTreeWidgetItem* group = tree->topLevelItem(g);
        for (int k = 0; k < group->childCount(); ++k) {
            const QTreeWidgetItem* item = group->child(k);
            members << item->text(0) + QLatin1Char(':') + item->text(1) + QLatin1Char(':') + item->text(2);
        }
        groups << members.join(QLatin1Char(' '));
    }
    return groups;
}

// The same from the tool's JSON.
QStringList CliGroups(const QJsonObject& json)
{
    QStringList groups;
    for (const QJsonValue& group : json[QStringLiteral("groups")].toArray()) {
        QStringList members;
        for (const QJsonValue& r : group.toArray())
            members << QFileInfo(r[QStringLiteral("catalogue")].toString()).fileName() + QLatin1Char(':')
                           + r[QStringLiteral("sheetName")].toString() + QLatin1Char(':')
                           + QString::number(r[QStringLiteral("id")].toInt());
        groups << members.join(QLatin1Char(' '));
    }
    return groups;
}

} // namespace

class DuplicatesWindowTest : public QObject, MainWindowFixture {
    Q_OBJECT

private:
    TfmDuplicates* window = nullptr;

    QTreeWidgetItem* itemOf(const QString& file, int id) const
    {
        QTreeWidget* tree = window->groups();
        for (int g = 0; g < tree->topLevelItemCount(); ++g)
            for (int k = 0; k < tree->topLevelItem(g)->childCount(); ++k) {
                QTreeWidgetItem* item = tree->topLevelItem(g)->child(k);
                if (item->text(0) == file && item->text(2) == QString::number(id))
                    return item;
            }
        return nullptr;
    }

    // The window brought forward and the item clicked, as a person picks a record.
    void pick(QTreeWidgetItem* item)
    {
        QVERIFY(item);
        window->activateWindow();
        QTRY_VERIFY(window->isActiveWindow());
        QTreeWidget* tree = window->groups();
        tree->scrollToItem(item);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
        QCOMPARE(tree->currentItem(), item);
        QCOMPARE(QApplication::focusWidget(), tree);
    }

private slots:
    void init()
    {
        newProgramFolder();
        startMainWindow();
        QVERIFY(showMainWindow({1100, 800}));
        TestCatalogue first;
        first.sheet("Фильмы");
        first.record({{csTitle, "The Matrix"}, {kYear, "1999"}, {kSize, "1400"}, {kLength, "136"}});
        first.record({{csTitle, "Солярис"}, {kYear, "1972"}, {kSize, "700"}, {kLength, "166"}});
        first.record({{csTitle, "Ёжик в тумане"}, {kSize, "40"}, {kLength, "10"}});
        first.doc.SaveToFile(cli->path("first.kdx"));
        TestCatalogue second;
        second.sheet("Новое").record({{csTitle, "Остров"}});
        second.sheet("Архив");
        second.record({{csTitle, "Matrix, The (1999)"}, {kSize, "1401"}, {kLength, "137"}});
        second.record({{csTitle, "Солярис"}, {kYear, "2002"}, {kSize, "700"}, {kLength, "99"}});
        second.record({{csTitle, "ЕЖИК В ТУМАНЕ"}, {kYear, "1975"}});
        second.doc.SaveToFile(cli->path("second.kdx"));
        QVERIFY(openLoaded(cli->path("first.kdx")));
        QVERIFY(openLoaded(cli->path("second.kdx")));
        QAction* item = main->menus().action("miDuplicates");
        QVERIFY(item->isEnabled());
        item->trigger();
        window = main->findChild<TfmDuplicates*>();
        QVERIFY(window);
        QVERIFY(QTest::qWaitForWindowExposed(window));
    }
    void cleanup()
    {
        window = nullptr;
        closeMainWindow();
    }

    void groupsAcrossCataloguesMatchTheTool()
    {
        const QStringList files{cli->path("first.kdx"), cli->path("second.kdx")};
        // The remake of Солярис is no duplicate; the bracketed year and the article are left out.
        const QStringList byTitle = WindowGroups(window->groups());
        QCOMPARE(byTitle, QStringList({QStringLiteral("first.kdx:Фильмы:1 second.kdx:Архив:1"),
                                       QStringLiteral("first.kdx:Фильмы:3 second.kdx:Архив:3")}));
        const QJsonObject json = cli->run(QStringList{QStringLiteral("duplicates")} + files).json();
        QCOMPARE(byTitle, CliGroups(json));
        const QJsonValue matrix = json[QStringLiteral("groups")][0][1];
        QCOMPARE(matrix[QStringLiteral("sheet")].toInt(), 2);
        QCOMPARE(matrix[QStringLiteral("year")].toString(), QString()); // the cell as stored
        QCOMPARE(matrix[QStringLiteral("size")].toString(), QStringLiteral("1401"));

        // The rule is chosen from the keyboard: Alt and the label's letter, then a key in the box.
        QTest::keyClick(window, Qt::Key_L, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), window->rule());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_End);
        QCOMPARE(WindowGroups(window->groups()), QStringList({QStringLiteral("first.kdx:Фильмы:1 second.kdx:Архив:1")}));
        QCOMPARE(WindowGroups(window->groups()),
                 CliGroups(cli->run(QStringList{QStringLiteral("duplicates")} + files + QStringList{QStringLiteral("--by"), QStringLiteral("media")}).json()));
    }

    void activatingARecordShowsItInItsWindowOpeningItAgain()
    {
        // The second catalogue is closed; a double-click opens it again on the record's sheet.
        TfmList* second = main->lists().at(1);
        second->close();
        QTRY_COMPARE(main->lists().size(), 1);
        QTreeWidgetItem* item = itemOf(QStringLiteral("second.kdx"), 1);
        QVERIFY(item);
        QTreeWidget* tree = window->groups();
        tree->scrollToItem(item);
        // A person's double-click: the first click's press and release, then the second's.
        const QPoint at = tree->visualItemRect(item).center();
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, at);
        QTRY_COMPARE(main->lists().size(), 2);
        TfmList* reopened = main->lists().at(1);
        QVERIFY(WaitLoaded(reopened));
        QTRY_COMPARE(main->activeList(), reopened);
        QCOMPARE(reopened->controller().currentSheet(), 1);
        QVERIFY(reopened->currentRecord());
        QCOMPARE(reopened->currentRecord()->Fields[csTitle], QStringLiteral("Matrix, The (1999)"));

        // Enter on a record of the other catalogue brings its window forward.
        pick(itemOf(QStringLiteral("first.kdx"), 3));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        TfmList* first = main->lists().at(0);
        QTRY_COMPARE(main->activeList(), first);
        QCOMPARE(first->currentRecord()->Fields[csTitle], QStringLiteral("Ёжик в тумане"));
        QVERIFY(!first->controller().isModified());
    }

    void deletingAsksThenRemovesTheRecordAndItsGroup()
    {
        QTreeWidget* tree = window->groups();
        pick(itemOf(QStringLiteral("second.kdx"), 3));
        // Answered No: nothing changes.
        prompts->answers = {PromptButton::No};
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
        QCOMPARE(prompts->asked.size(), size_t(1));
        QCOMPARE(prompts->asked.back().text, main->shell().text("SysMessage", "ReallyWantToDelete"));
        QCOMPARE(tree->topLevelItemCount(), 2);
        TfmList* second = main->lists().at(1);
        QVERIFY(!second->controller().isModified());

        pick(itemOf(QStringLiteral("second.kdx"), 3));
        prompts->answers = {PromptButton::Yes};
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
        QVERIFY(second->controller().isModified());
        QVERIFY(!second->controller().document()->List(1)->FindRowByID(3));
        // The group left with one record is gone; the other stays.
        QCOMPARE(WindowGroups(tree), QStringList({QStringLiteral("first.kdx:Фильмы:1 second.kdx:Архив:1")}));
        QVERIFY(!main->lists().at(0)->controller().isModified());
    }
};

QTEST_MAIN(DuplicatesWindowTest)
#include "DuplicatesWindowTest.moc"
