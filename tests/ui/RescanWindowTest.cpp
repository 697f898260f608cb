// Rescan folder in the window, with reelkeep-cli rescan on the same files as the oracle:
// a folder of generated videos catalogued from the report by keys, then one file added,
// one removed and one moved; the report shows exactly those, adding and updating make
// the records the tool makes, and the gone record is selected, never deleted. A walk
// cancelled shows no report.
#include "FileEntryCommands.h"
#include "LongWorkPool.h"
#include "TestVideos.h"
#include "TfmRescan.h"
#include "UiTestSupport.h"
#include "WindowWork.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSemaphore>
#include <QStandardPaths>
#include <QTreeWidget>

using namespace reelkeep;
using namespace reelkeep::testing;
using reelkeep::test::TestVideos;

namespace {

constexpr int kPathColumn = 19;

// The full paths a report list shows in one column's tool tips.
QStringList Tips(const QTreeWidget* tree, int column)
{
    QStringList tips;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        tips << tree->topLevelItem(i)->toolTip(column);
    return tips;
}

QStringList JsonTexts(const QJsonValue& array, const char* field = nullptr)
{
    QStringList texts;
    for (const QJsonValue& item : array.toArray())
        texts << (field ? item[QString::fromLatin1(field)].toString() : item.toString());
    return texts;
}

// The cells of the records of the first sheet whose title is one of titles, sorted.
QStringList RecordsTitled(const QJsonObject& dump, const QStringList& titles)
{
    QStringList records;
    for (const QJsonValue& row : dump[QStringLiteral("lists")][0][QStringLiteral("rows")].toArray()) {
        const QJsonArray cells = row[QStringLiteral("cells")].toArray();
        if (titles.contains(cells[csTitle].toString())) {
            QStringList texts;
            for (int c = 1; c < kStoredColumnCount; ++c)
                texts << cells[c].toString();
            records << texts.join(QLatin1Char('|'));
        }
    }
    records.sort();
    return records;
}

} // namespace

class RescanWindowTest : public QObject, MainWindowFixture {
    Q_OBJECT

private:
    TestVideos& videos = TestVideos::Get();
    QString folder;

    QString video(const QString& name, const QString& source) const { return videos.copy(source, folder + QLatin1Char('/') + name); }

    // Rescan folder from the menu; the report once the walk is over.
    TfmRescan* rescan()
    {
        prompts->files = {{folder, 0}};
        main->menus().action("miRescanDir")->trigger();
        TfmRescan* report = nullptr;
        [&] { QTRY_VERIFY_WITH_TIMEOUT((report = list->findChild<TfmRescan*>()) != nullptr, 30000); }();
        if (report)
            [&] { QVERIFY(QTest::qWaitForWindowExposed(report)); }();
        return report;
    }
    // A key for the report's focused widget, as a person types it.
    void key(TfmRescan* report, int key, Qt::KeyboardModifiers modifiers = {})
    {
        report->activateWindow();
        QTRY_VERIFY(report->isActiveWindow());
        // A letter goes with its text, as a keyboard of its language sends it.
        const QString text = key < 0x80 || key > 0xFFFF ? QString() : QString(QChar(char16_t(key))).toLower();
        QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key(key), text, modifiers);
    }
    // Alt and a button's mnemonic letter; waits for its click and for the entry it may start.
    void press(TfmRescan* report, const char* button, char16_t letter)
    {
        QSignalSpy clicked(report->findChild<QPushButton*>(QString::fromLatin1(button)), &QPushButton::clicked);
        key(report, letter, Qt::AltModifier);
        QVERIFY(clicked.count() == 1 || clicked.wait());
        QTRY_VERIFY_WITH_TIMEOUT(!list->isBusy(), 60000);
    }
    QJsonObject cliRescan(const QString& catalogue, bool add = false)
    {
        QStringList args{QStringLiteral("rescan"), catalogue, folder};
        if (add)
            args << QStringLiteral("--add");
        const CliRun run = cli->run(args);
        if (run.status != 0)
            qWarning("rescan failed: %s", run.err.constData());
        return run.json();
    }

private slots:
    void init()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("ffmpeg")).isEmpty())
            QSKIP("ffmpeg is not installed: the rescan of generated videos is not checked");
        newProgramFolder();
        folder = QDir::cleanPath(cli->path("Фильмы"));
        QVERIFY(QDir().mkpath(folder));
        // A sheet that remembers where its records came from.
        TzkReelkeep doc;
        doc.AddList(0, QStringLiteral("Фильмы"))->Column(kPathColumn).Pattern = QStringLiteral("%Path%");
        doc.SaveToFile(path());
        startMainWindow();
        QVERIFY(showMainWindow({1100, 800}));
        QVERIFY((list = openLoaded(path())));
    }
    void cleanup()
    {
        if (main)
            closeMainWindow();
    }

    void reportShowsWhatChangedAndAddsLikeTheTool()
    {
        const QString first = video(QStringLiteral("Первый.avi"), videos.clip2s());
        const QString second = video(QStringLiteral("Второй.avi"), videos.clip3s());
        const QString third = video(QStringLiteral("Старое/Третий.avi"), videos.clip2s());

        // Everything is new at first, all checked; Space unchecks the second, Alt+A
        // enters the checked ones; the one left keeps its mark and goes in next.
        main->shell().options().LastAviDir = cli->path("start/");
        TfmRescan* report = rescan();
        QVERIFY(report);
        QCOMPARE(prompts->lastFolder, cli->path("start/"));
        QCOMPARE(main->shell().options().LastAviDir, folder + QLatin1Char('/'));
        QCOMPARE(Tips(report->newFiles(), 0), JsonTexts(cliRescan(path())[QStringLiteral("new")]));
        QCOMPARE(report->newFiles()->topLevelItemCount(), 3);
        QCOMPARE(report->goneRecords()->topLevelItemCount(), 0);
        key(report, Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), report->newFiles());
        key(report, Qt::Key_Space);
        const QString skipped = report->newFiles()->currentItem()->toolTip(0);
        press(report, "btnAddChecked", u'Д');
        QCOMPARE(list->controller().currentList()->RowCount(), 2);
        QCOMPARE(Tips(report->newFiles(), 0), QStringList({skipped}));
        QCOMPARE(report->newFiles()->topLevelItem(0)->checkState(0), Qt::Unchecked);
        key(report, u'Н', Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), report->newFiles());
        key(report, Qt::Key_Space);
        press(report, "btnAddChecked", u'Д');
        QCOMPARE(report->newFiles()->topLevelItemCount(), 0);
        QVERIFY(!report->findChild<QPushButton*>(QStringLiteral("btnAddChecked"))->isEnabled());
        key(report, Qt::Key_Escape);
        QTRY_VERIFY(!list->findChild<TfmRescan*>());
        QCOMPARE(saveAndDump(list, path())[QStringLiteral("lists")][0][QStringLiteral("rows")].toArray().size(), 3);

        // One file removed, one added, one moved to another subfolder: the report
        // lists exactly those, as the tool does, and selects the gone record.
        QVERIFY(QFile::remove(second));
        const QString fourth = video(QStringLiteral("Четвёртый.avi"), videos.clip3s());
        const QString moved = folder + QStringLiteral("/Новое/Третий.avi");
        QVERIFY(QDir().mkpath(folder + QStringLiteral("/Новое")));
        QVERIFY(QFile::rename(third, moved));
        const QString oracle = cli->path("oracle.kdx");
        QVERIFY(QFile::copy(path(), oracle));
        const QJsonObject tool = cliRescan(oracle);
        // Another record selected first: the report's selection takes its place.
        click(rowIndex("Первый"));
        report = rescan();
        QVERIFY(report);
        QCOMPARE(Tips(report->newFiles(), 0), QStringList({fourth}));
        QCOMPARE(Tips(report->newFiles(), 0), JsonTexts(tool[QStringLiteral("new")]));
        QCOMPARE(Tips(report->goneRecords(), 2), QStringList({second}));
        QCOMPARE(Tips(report->goneRecords(), 2), JsonTexts(tool[QStringLiteral("gone")], "path"));
        QCOMPARE(Tips(report->movedRecords(), 2), JsonTexts(tool[QStringLiteral("moved")], "path"));
        QCOMPARE(Tips(report->movedRecords(), 3), JsonTexts(tool[QStringLiteral("moved")], "to"));
        QCOMPARE(Tips(report->movedRecords(), 3), QStringList({moved}));
        QCOMPARE(report->findChild<QLabel*>(QStringLiteral("lblGoneRecords"))->text(), QStringLiteral("&Пропавшие файлы, записи оставлены (1):"));
        const auto selectedTitles = [this] {
            QStringList titles;
            for (const TzkRow* row : list->selectedRecords())
                titles << row->Fields[csTitle];
            return titles;
        };
        QCOMPARE(selectedTitles(), QStringList({QStringLiteral("Второй")}));
        QVERIFY(!list->controller().isModified());

        // Adding and updating by keys make what the tool's --add makes; the gone record stays.
        press(report, "btnAddChecked", u'Д');
        press(report, "btnUpdatePaths", u'О');
        QCOMPARE(report->newFiles()->topLevelItemCount(), 0);
        QCOMPARE(report->movedRecords()->topLevelItemCount(), 0);
        QCOMPARE(report->goneRecords()->topLevelItemCount(), 1);
        list->grid()->clearSelection();
        press(report, "btnSelectGone", u'В');
        QCOMPARE(selectedTitles(), QStringList({QStringLiteral("Второй")}));
        QCOMPARE(cliRescan(oracle, true)[QStringLiteral("added")].toInt(), 1);
        const QStringList titles{QStringLiteral("Четвёртый"), QStringLiteral("Третий"), QStringLiteral("Второй")};
        QCOMPARE(RecordsTitled(saveAndDump(list, path()), titles), RecordsTitled(dump(oracle), titles));
        QCOMPARE(RecordsTitled(dump(path()), titles).size(), 3);
    }

    void aCancelledWalkShowsNoReport()
    {
        for (int i = 0; i < 2000; ++i)
            test::WriteTestFile(folder + QStringLiteral("/%1/film%2.avi").arg(i / 100).arg(i), {});
        prompts->files = {{folder, 0}};
        main->menus().action("miRescanDir")->trigger();
        QVERIFY(list->isBusy());
        list->work().cancel();
        QTRY_VERIFY_WITH_TIMEOUT(!list->isBusy(), 30000);
        QTest::qWait(50);
        QVERIFY(!list->findChild<TfmRescan*>());
        QVERIFY(list->widget()->isEnabled());

        // Cancelled before the walk could begin (every thread of the long work busy): no report either.
        QSemaphore release;
        const int busy = LongWorkPool().maxThreadCount();
        for (int k = 0; k < busy; ++k)
            LongWorkPool().start([&release] { release.acquire(); });
        prompts->files = {{folder, 0}};
        main->menus().action("miRescanDir")->trigger();
        QVERIFY(list->isBusy());
        list->work().cancel();
        release.release(busy);
        QTRY_VERIFY_WITH_TIMEOUT(!list->isBusy(), 30000);
        QTest::qWait(50);
        QVERIFY(!list->findChild<TfmRescan*>());
    }
};

QTEST_MAIN(RescanWindowTest)
#include "RescanWindowTest.moc"
