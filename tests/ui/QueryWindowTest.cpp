// Filter windows, quick search, sorting and statistics of a list window, checked
// against reelkeep-cli's filter, sort and stats on the same catalogue.
#include "FilterForms.h"
#include "GridFiltering.h"
#include "MainMenu.h"
#include "QuickSearchBar.h"
#include "TfmFilter.h"
#include "TfmStat.h"
#include "UiTestSupport.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QListView>
#include <QMdiArea>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QTreeView>

using namespace reelkeep;
using namespace reelkeep::testing;

namespace {

// Films with genres of several parts, sizes and lengths, a date that is none, a group with two
// parts and a second sheet.
void WriteFilms(const QString& path)
{
    TestCatalogue films;
    films.sheet("Фильмы");
    films.record({{csTitle, "Шахматы"}, {17, "драма, комедия"}, {3, "700"}, {12, "95"}, {csDateAdded, "01.02.2020"}});
    films.record({{csTitle, "Матрица"}, {17, "Фантастика"}, {3, "1400"}, {12, "136"}, {csDateAdded, "05.01.2021"}});
    films.record({{csTitle, "Ежик в тумане"}, {17, "Комедия"}, {12, "10"}, {csDateAdded, "03.03.2019"}});
    films.record({{csTitle, "Матрица 2"}, {17, "фантастика, боевик"}, {3, "700 MB"}, {12, "138"}, {csDateAdded, "31.02.2020"}});
    TzkRow* group = films.record({{csTitle, "Бригада"}});
    films.record({{csTitle, "Бригада: начало"}, {17, "драма"}, {12, "50"}}, group);
    films.record({{csTitle, "Бригада: шахматы"}, {17, "драма"}, {12, "50"}}, group);
    films.sheet("Сериалы");
    films.record({{csTitle, "Остров"}});
    films.record({{csTitle, "Матрёшка"}});
    films.doc.SaveToFile(path);
}

QStringList Sorted(QStringList titles)
{
    titles.sort();
    return titles;
}

// The titles of the records reelkeep-cli leaves visible on the first list, in title order
// (the tool keeps the file's order; the window sorts by title on loading).
QStringList VisibleCliTitles(const QJsonObject& dump)
{
    return Sorted(CliTitles(dump, 1, true));
}

// Types a text key by key; QTest::keyClicks takes Latin-1 only. The turn of the event loop
// after the keys lets a filter window apply what was typed.
void Type(QWidget* widget, const QString& text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    QCoreApplication::processEvents();
}

} // namespace

class QueryWindowTest : public QObject, MainWindowFixture {
    Q_OBJECT

private:

    QString title(const TzkRow* row) const { return row ? row->Fields[csTitle] : QString(); }
    QStringList shown() const { return ModelTitles(*list->grid()->model()); }
    QAction* filterItem(int column) const { return main->menus().filterActions()[column - 1]; }
    // The window of the column, once its values (made on a worker) are shown.
    TfmFilter* form(int column) const
    {
        TfmFilter* window = list->filterForms().form(column);
        return window && QTest::qWaitFor([window] { return window->hasValues(); }) ? window : nullptr;
    }
    QString status(int panel) const { return list->controller().statusTexts()[panel]; }
    QLineEdit* searchBox() const { return list->findChild<QComboBox*>(QStringLiteral("cbSearch"))->lineEdit(); }
    void clickValue(TfmFilter* filter, const QString& value)
    {
        const qsizetype found = filter->valueTexts().indexOf(value);
        QVERIFY(found >= 0);
        QListView* values = filter->values();
        QTest::mouseClick(values->viewport(), Qt::LeftButton, {}, values->visualRect(values->model()->index(int(found), 0)).center());
    }

private slots:
    void initTestCase()
    {
        // The value lists follow the locale's order; the tests expect the Russian one.
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    }
    void init()
    {
        newProgramFolder();
        startMainWindow();
        QVERIFY(showMainWindow({1100, 800}));
        WriteFilms(path());
        QVERIFY((list = openLoaded(path())));
    }
    void cleanup() { closeMainWindow(); }

    void keysTypedFasterThanTheGridFiltersMakeOneFilterAndACloseDropsIt()
    {
        filterItem(17)->trigger();
        TfmFilter* genre = form(17);
        QVERIFY(genre);
        const QStringList all = Sorted(shown());
        QSignalSpy filtered(genre, &TfmFilter::maskChosen);
        for (const QChar c : QStringLiteral("*драма*"))
            QTest::sendKeyEvent(QTest::Click, genre->edit(), Qt::Key_unknown, QString(c), Qt::NoModifier);
        QTRY_COMPARE(filtered.size(), 1);
        QCOMPARE(Sorted(shown()), VisibleCliTitles(cli->run({"filter", path(), "--list", "1", "--set", "17=*драма*"}).json()));
        // Closed before the grid has followed the last keys: no filter comes back after it.
        Type(genre->edit(), QStringLiteral("x"));
        for (const QChar c : QStringLiteral("yz"))
            QTest::sendKeyEvent(QTest::Click, genre->edit(), Qt::Key_unknown, QString(c), Qt::NoModifier);
        genre->close();
        QTest::qWait(20);
        QCOMPARE(Sorted(shown()), all);
        QVERIFY(list->controller().currentList()->GetColumnFilter(17).isEmpty());
    }

    void filterWindowsHideWhatTheToolHidesSearchAndKeepToTheirSheet()
    {
        QCOMPARE(filterItem(17)->text(), QStringLiteral("Жанр"));
        QVERIFY(!filterItem(4)->isVisible()); // a column without a name has no item
        QCOMPARE(filterItem(1)->shortcut(), QKeySequence(Qt::Key_F9));
        filterItem(17)->trigger();
        TfmFilter* genre = form(17);
        QVERIFY(genre && genre->isVisible());
        QCOMPARE(genre->windowTitle(), QStringLiteral("Жанр - films.kdx"));
        QCOMPARE(status(5), QStringLiteral("Готово"));
        // Parts of the top-level cells in title order: of Комедия and комедия, of Фантастика and
        // фантастика the first read stays; nested cells are not read.
        QCOMPARE(genre->valueTexts(), test::u({"боевик", "драма", "Комедия", "Фантастика"}));

        clickValue(genre, QStringLiteral("Комедия"));
        QCOMPARE(genre->edit()->text(), QStringLiteral("*Комедия*"));
        QCOMPARE(Sorted(shown()), VisibleCliTitles(cli->run({"filter", path(), "--list", "1", "--set", "17=*Комедия*"}).json()));
        QCOMPARE(status(0), QStringLiteral("Записей:2"));
        QCOMPARE(status(4), QStringLiteral("105")); // the status line's total length follows the filter
        QVERIFY(!list->controller().isModified());

        // Typing filters key by key; a group stays while a part of it matches.
        genre->edit()->clear();
        Type(genre->edit(), QStringLiteral("ДРА"));
        QCOMPARE(shown(), QStringList());
        Type(genre->edit(), QStringLiteral("*"));
        list->grid()->expandAll();
        QCOMPARE(Sorted(shown()), VisibleCliTitles(cli->run({"filter", path(), "--list", "1", "--set", "17=ДРА*"}).json()));

        // The item hides and shows the window and keeps the filter; a person's close removes it.
        filterItem(17)->trigger();
        QVERIFY(!genre->isVisible());
        QCOMPARE(list->controller().currentList()->GetColumnFilter(17), QStringLiteral("ДРА*"));
        filterItem(17)->trigger();
        QVERIFY(genre->isVisible());
        genre->close();
        QTRY_VERIFY(!form(17));

        // Searching selects values and filters nothing; Return goes to the next match.
        filterItem(1)->trigger();
        TfmFilter* titles = form(1);
        titles->modeBox()->setChecked(false);
        Type(titles->edit(), QStringLiteral("мат"));
        QCOMPARE(list->controller().currentList()->GetColumnFilter(1), QString()); // searching filters nothing
        QCOMPARE(titles->currentValue(), QStringLiteral("Матрица"));
        QTest::keyClick(titles->edit(), Qt::Key_Return);
        QCOMPARE(titles->currentValue(), QStringLiteral("Матрица 2"));
        QTest::keyClick(titles->edit(), Qt::Key_Return);
        QCOMPARE(titles->currentValue(), QStringLiteral("Шахматы"));
        QTest::keyClick(titles->edit(), Qt::Key_Return);
        QCOMPARE(titles->currentValue(), QStringLiteral("Матрица"));
        // Collapsed, the window filters whatever the box said.
        titles->upDownButton()->click();
        QVERIFY(titles->modeBox()->isChecked() && !titles->modeBox()->isEnabled() && !titles->values()->isVisible());
        Type(titles->edit(), QStringLiteral("*"));
        QCOMPARE(shown(), test::u({"Матрица", "Матрица 2"}));
        titles->upDownButton()->click();
        QVERIFY(titles->modeBox()->isEnabled() && titles->values()->isVisible());

        // Filters belong to their sheet.
        list->controller().switchSheet(1);
        // The window was replaced by one over the second sheet, with that sheet's (empty) filter.
        TfmFilter* second = form(1);
        QVERIFY(second && second->isVisible());
        QCOMPARE(second->edit()->text(), QString());
        QCOMPARE(second->valueTexts(), test::u({"Матрёшка", "Остров"}));
        Type(second->edit(), QStringLiteral("ост*"));
        QCOMPARE(shown(), test::u({"Остров"}));
        list->controller().switchSheet(0);
        QCOMPARE(form(1)->edit()->text(), QStringLiteral("мат*"));
        QCOMPARE(shown().size(), 2);
        QCOMPARE(list->controller().document()->List(1)->GetColumnFilter(1), QStringLiteral("ост*"));
        // A person's close removes the filter, of this sheet only.
        form(1)->close();
        QCOMPARE(shown().size(), 7);
        QCOMPARE(list->controller().document()->List(1)->GetColumnFilter(1), QStringLiteral("ост*"));
    }

    void filterShortcutActsOnTheActiveOfTwoCatalogues()
    {
        TfmList* first = list;
        WriteFilms(cli->path("other.kdx"));
        QVERIFY((list = openLoaded(cli->path("other.kdx"))));
        QCOMPARE(main->activeList(), list);
        QVERIFY(first->findChild<QMenu*>()->actions().size() > 0);
        QTest::keyClick(list->grid(), Qt::Key_F9);
        QVERIFY(form(1) && form(1)->isVisible());
        QVERIFY(!first->filterForms().form(1));
        QCOMPARE(form(1)->windowTitle(), QStringLiteral("Название - other.kdx"));
        QTest::keyClick(list->grid(), Qt::Key_F9, Qt::ControlModifier);
        QVERIFY(form(2));
        // The grid's context menu holds the very same items.
        bool shared = false;
        for (QMenu* menu : list->findChildren<QMenu*>())
            shared = shared || menu->actions().contains(filterItem(1));
        QVERIFY(shared);
    }

    void aSheetFilteredOnAWorkerShowsTheNewestFilterOverTheRowsItHasNow()
    {
        GridFiltering& filtering = list->controller().filtering();
        filtering.setWorkerFrom(0);
        const QStringList all = Sorted(shown());
        // A newer text replaces the filtering still running; the grid shows the rows at the end only.
        list->controller().setColumnFilter(17, QStringLiteral("*драма*"));
        QVERIFY(filtering.isRunning());
        QCOMPARE(Sorted(shown()), all);
        QCOMPARE(status(5), QStringLiteral("Фильтрация"));
        list->controller().setColumnFilter(17, QStringLiteral("*боевик*"));
        QTRY_VERIFY(!filtering.isRunning());
        list->grid()->expandAll();
        QCOMPARE(Sorted(shown()), VisibleCliTitles(cli->run({"filter", path(), "--list", "1", "--set", "17=*боевик*"}).json()));
        QCOMPARE(status(5), QStringLiteral("Готово"));

        // A record added meanwhile is not in the copy the worker read: the filtering starts over.
        list->controller().setColumnFilter(17, QStringLiteral("*драма*"));
        list->controller().addRecord(nullptr);
        QTRY_VERIFY(!filtering.isRunning());
        list->grid()->expandAll();
        QCOMPARE(Sorted(shown()), VisibleCliTitles(cli->run({"filter", path(), "--list", "1", "--set", "17=*драма*"}).json()));

        // Closing the window drops its filter, on the worker too.
        filterItem(17)->trigger();
        form(17)->close();
        QTRY_VERIFY(!filtering.isRunning());
        QCOMPARE(shown().size(), all.size() + 1);
    }

    void quickSearchWalksTheDisplayOrderAndWraps()
    {
        auto* columns = list->findChild<QComboBox*>(QStringLiteral("cbSearchColumn"));
        QCOMPARE(columns->currentText(), QStringLiteral("Название"));
        Type(searchBox(), QStringLiteral("ш"));
        // The group is collapsed: its part is found, its parent expanded.
        QCOMPARE(title(list->currentRecord()), QStringLiteral("Бригада: шахматы"));
        QVERIFY(list->grid()->isExpanded(list->controller().model()->indexOf(list->currentRecord()).parent()));
        QTest::keyClick(searchBox(), Qt::Key_Return);
        QCOMPARE(title(list->currentRecord()), QStringLiteral("Шахматы"));
        QTest::keyClick(searchBox(), Qt::Key_Return);
        QCOMPARE(title(list->currentRecord()), QStringLiteral("Бригада: шахматы"));
        // A longer text goes on from the hit; Backspace starts again from the top.
        searchBox()->clear();
        Type(searchBox(), QStringLiteral("мат"));
        QCOMPARE(title(list->currentRecord()), QStringLiteral("Бригада: шахматы"));
        Type(searchBox(), QStringLiteral("р"));
        QCOMPARE(title(list->currentRecord()), QStringLiteral("Матрица"));
        Type(searchBox(), QStringLiteral("ица 2"));
        QCOMPARE(title(list->currentRecord()), QStringLiteral("Матрица 2"));
        QTest::keyClick(searchBox(), Qt::Key_Return);
        QCOMPARE(title(list->currentRecord()), QStringLiteral("Матрица 2")); // the only one: wraps to itself
        QCOMPARE(list->grid()->selectionModel()->selectedRows().size(), 1);
        // Nothing matching, or an emptied box, removes the selection and the current record.
        Type(searchBox(), QStringLiteral("x"));
        QVERIFY(!list->currentRecord());
        QVERIFY(!list->grid()->selectionModel()->hasSelection());
        searchBox()->clear();
        Type(searchBox(), QStringLiteral("ЁЖ"));
        QCOMPARE(title(list->currentRecord()), QStringLiteral("Ежик в тумане"));
        QTest::keyClick(searchBox(), Qt::Key_Backspace);
        QTest::keyClick(searchBox(), Qt::Key_Backspace);
        QVERIFY(!list->currentRecord());
        // Another column: the genre.
        columns->setCurrentIndex(17);
        emit columns->activated(17);
        Type(searchBox(), QStringLiteral("боев"));
        QCOMPARE(title(list->currentRecord()), QStringLiteral("Матрица 2"));
        // A cell changed since the last key is searched as it is now.
        for (const RowPtr& row : list->controller().currentList()->Items())
            if (title(row.get()) == QStringLiteral("Ежик в тумане"))
                list->controller().setCell(row.get(), 17, QStringLiteral("Боевик"));
        QTest::keyClick(searchBox(), Qt::Key_Return);
        QCOMPARE(title(list->currentRecord()), QStringLiteral("Ежик в тумане"));
    }

    void headerClicksSortAsTheToolAndKeepTheSelection()
    {
        QHeaderView* header = list->grid()->header();
        const auto clickHeader = [header](int column, Qt::MouseButton button) {
            QTest::mouseClick(header->viewport(), button, {},
                              QPoint(header->sectionViewportPosition(column) + 5, header->height() / 2));
        };
        header->resizeSection(3, 60);
        QCOMPARE(header->sortIndicatorSection(), 1);
        list->grid()->expandAll();
        const QModelIndex chosen = list->controller().model()->indexOf(list->controller().currentList()->Row(0));
        list->grid()->selectionModel()->select(chosen, QItemSelectionModel::Select | QItemSelectionModel::Rows);
        const TzkRow* selectedRow = list->controller().model()->rowAt(chosen);

        clickHeader(1, Qt::LeftButton);
        QCOMPARE(header->sortIndicatorOrder(), Qt::DescendingOrder);
        clickHeader(3, Qt::RightButton);
        QCOMPARE(header->sortIndicatorSection(), 3);
        QCOMPARE(shown(), CliTitles(cli->run({"sort", path(), "--list", "1", "--column", "1", "--column", "1", "--column", "3"}).json()));
        // The selected record and the expanded group survive.
        QCOMPARE(list->selectedRecords(), std::vector<TzkRow*>({const_cast<TzkRow*>(selectedRow)}));
        QVERIFY(list->grid()->isExpanded(list->controller().model()->indexOf(list->controller().currentList()->Row(4))));

        // The Sort-by menu sorts the active window and reverses on a second choice.
        QMenu* sortBy = main->menus().menu("miSortBy");
        QCOMPARE(sortBy->actions().size(), 20); // columns 0..20 but the unnamed 4
        sortBy->actions()[3]->trigger(); // "Размер" again
        const QStringList sorted = CliTitles(
            cli->run({"sort", path(), "--list", "1", "--column", "1", "--column", "1", "--column", "3", "--column", "3"}).json());
        QCOMPARE(shown(), sorted);
        QCOMPARE(status(5), QStringLiteral("Готово"));
        // Switching to the second sheet and back shows the first as it was.
        list->controller().switchSheet(1);
        QCOMPARE(shown().size(), 2);
        list->controller().switchSheet(0);
        list->grid()->expandAll();
        QCOMPARE(shown(), sorted);

        // A date that is none keeps the order and says why.
        QVERIFY(!list->controller().sortBy(csDateAdded));
        QCOMPARE(shown(), sorted);
        QCOMPARE(prompts->asked.size(), size_t(1));
        QCOMPARE(prompts->asked.front().icon, PromptIcon::Error);
        QVERIFY(prompts->asked.front().text.contains(QStringLiteral("31.02.2020")));
    }

    void statisticsWindowShowsWhatTheToolCounts()
    {
        list->grid()->expandAll();
        const std::vector<TzkRow*> all = list->controller().model()->shownRows();
        std::vector<int> ids;
        for (TzkRow* row : {all[1], all[5]}) {
            list->grid()->selectionModel()->select(list->controller().model()->indexOf(row),
                                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
            ids.push_back(row->ID);
        }
        main->menus().action("miStat")->trigger();
        TfmStat* window = nullptr;
        QTRY_VERIFY((window = list->findChild<TfmStat*>()));
        QVERIFY(window->isVisible() && window->isModal());
        QCOMPARE(window->windowTitle(), QStringLiteral("Статистика по films.kdx"));
        const CliRun stats = cli->run({"stats", path(), "--select", QStringLiteral("%1,%2").arg(ids[0]).arg(ids[1])});
        QCOMPARE(stats.status, 0);
        QCOMPARE(window->memo()->toPlainText(), QString::fromUtf8(stats.out).trimmed());
        window->findChild<QPushButton*>(QStringLiteral("btnOk"))->click();
        QTRY_VERIFY(!list->findChild<TfmStat*>());

        // The sheet's figures cover the rows a filter leaves; no selection gives zeros.
        filterItem(17)->trigger();
        Type(form(17)->edit(), QStringLiteral("*драма*"));
        QCOMPARE(status(4), QStringLiteral("95"));
        main->menus().action("miStat")->trigger();
        QTRY_VERIFY(list->findChild<TfmStat*>());
        const QStringList lines = list->findChild<TfmStat*>()->memo()->toPlainText().split(QLatin1Char('\n'));
        const auto line = [this](const char* key, int value) -> QString { return main->shell().text("Statistic", key) + QString::number(value); };
        QCOMPARE(lines.mid(0, 7), QStringList({main->shell().text("Statistic", "CurrentList"), line("TotalSize", 700),
                                               line("AverageSize", 700), line("TotalLength", 95), line("AverageLength", 95),
                                               line("TotalFilesCount", 0), line("AverageFilesCount", 0)}));
        QCOMPARE(lines.mid(7), QStringList({main->shell().text("Statistic", "BySelectedRecords"), line("TotalSize", 0),
                                            line("AverageSize", 0), line("TotalLength", 0), line("AverageLength", 0),
                                            line("TotalFilesCount", 0), line("AverageFilesCount", 0)}));
    }
};

QTEST_MAIN(QueryWindowTest)
#include "QueryWindowTest.moc"
