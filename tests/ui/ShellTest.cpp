// The main window: start, opening catalogues, saving, closing, menus and shortcuts.
#include "GridModel.h"
#include "MainMenu.h"
#include "TMDIPanel.h"
#include "UiTestSupport.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QMdiArea>
#include <QMenu>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTreeView>

using namespace reelkeep;
using namespace reelkeep::testing;

class ShellTest : public QObject, MainWindowFixture {
    Q_OBJECT

private:
    QString folder() const { return cli->folder(); }
    QString file(const char* name) const { return cli->path(name); }
    bool enabled(const char* name) const { return main->menus().action(name)->isEnabled(); }

private slots:
    void init()
    {
        newProgramFolder();
        startMainWindow();
    }
    void cleanup() { closeMainWindow(); }

    void startsWithAnEmptyProgramFolderAndOpensACatalogueSortedByTitle()
    {
        QVERIFY(QFile::exists(file("setup.ini")));
        QVERIFY(!QDir(folder()).entryList({QStringLiteral("*.lng")}).isEmpty());
        QVERIFY(prompts->asked.empty());
        for (const char* name : {"miSave", "miSaveAs", "miClose", "miExport", "miStat", "miSortBy", "miCList", "miDelete"})
            QVERIFY2(!enabled(name), name);
        QVERIFY(enabled("miOpen") && enabled("miNew"));

        QVERIFY((list = openSample("films.kdx")));
        QCOMPARE(main->lists().size(), 1);
        QCOMPARE(list->caption(), QStringLiteral("films.kdx"));
        QVERIFY(enabled("miSave") && enabled("miCList"));

        const CliRun sorted = cli->run({"sort", file("films.kdx"), "--list", "1", "--column", "1"});
        QCOMPARE(sorted.status, 0);
        QCOMPARE(ModelTitles(*list->grid()->model()), CliTitles(sorted.json()));
        for (int c = 0; c < 20; ++c)
            QCOMPARE(list->grid()->model()->headerData(c, Qt::Horizontal).toString(), list->controller().currentList()->GetColumnName(c));
        QCOMPARE(list->grid()->header()->sectionSize(20), 0);
        QCOMPARE(list->controller().statusTexts().mid(0, 4), test::u({"Записей:5", "Всего записей:5", "Листов:2", "Записей на всех листах:6"}));
        QCOMPARE(list->controller().statusTexts().back(), QStringLiteral("Готово"));

        // The same file again brings its window to the front.
        QCOMPARE(main->OpenFile(file("films.kdx")), list);
        QCOMPARE(main->lists().size(), 1);
    }

    void openRemembersItsFolderAndClosingTheLastWindowDisablesCommands()
    {
        QVERIFY(QDir().mkpath(file("sub")));
        WriteSampleCatalogue(file("sub/films.kdx"));
        prompts->files = {{file("sub/films.kdx"), 0}};
        main->menus().action("miOpen")->trigger();
        QCOMPARE(prompts->lastFilters.front(), QStringLiteral("Все (*)"));
        QTRY_COMPARE(main->lists().size(), 1);
        QVERIFY(WaitLoaded(main->lists().front()));
        main->menus().action("miClose")->trigger();
        QTRY_VERIFY(main->lists().isEmpty());
        QTRY_VERIFY(!enabled("miSave") && !enabled("miCList"));

        prompts->files = {{file("sub/none.kdx"), 0}};
        main->menus().action("miOpen")->trigger();
        QCOMPARE(prompts->lastFolder, file("sub"));
        QCOMPARE(prompts->texts(), QStringLiteral("Файл не существует"));
        QVERIFY(main->lists().isEmpty());
    }

    void unknownExtensionsAndDamagedFilesLeaveNoWindow()
    {
        WriteSampleCatalogue(file("film.txt"));
        prompts->answers = {PromptButton::No};
        QVERIFY(!main->OpenFile(file("film.txt")));
        QVERIFY(prompts->texts().contains(QStringLiteral("Неизвестное расширение")));
        QVERIFY(main->lists().isEmpty());
        prompts->answers = {PromptButton::Yes};
        TfmList* film = openLoaded(file("film.txt"));
        QVERIFY(film);
        // Saved back as the catalogue it was read as, not as a listing.
        film->AddSheet();
        main->menus().action("miSave")->trigger();
        QTRY_VERIFY(idle());
        QCOMPARE(sheetsIn("film.txt", true), 3);
        film->close();

        test::WriteTestFile(file("broken.kdx"), QByteArray("\x03\x00\x00\x00" "2.1\xFF\xFF\xFF\x7F garbage", 20));
        prompts->asked.clear();
        list = main->OpenFile(file("broken.kdx"));
        QVERIFY(!WaitLoaded(list));
        QTRY_VERIFY(main->lists().isEmpty());
        QCOMPARE(prompts->asked.size(), size_t(1));
        QVERIFY(prompts->asked.front().text.contains(file("broken.kdx")));
        QTRY_VERIFY(!enabled("miSave"));
    }

    void savesRoundTripAndFailedSavesKeepTheChanges()
    {
        QVERIFY((list = openSample("films.kdx")));
        list->AddSheet();
        QVERIFY(list->controller().isModified());

        // Save As .txt is an export: path and Modified stay.
        prompts->files = {{file("listing.txt"), 0}};
        main->menus().action("miSaveAs")->trigger();
        QTRY_VERIFY(idle());
        QVERIFY(QFile::exists(file("listing.txt")));
        QVERIFY(list->controller().isModified());
        QCOMPARE(list->controller().path(), file("films.kdx"));

        // Into a folder that cannot be made: the error is shown, nothing else changes.
        test::WriteTestFile(file("blocker"), {});
        prompts->asked.clear();
        prompts->files = {{file("blocker/new.kdx"), 0}};
        main->menus().action("miSaveAs")->trigger();
        QTRY_VERIFY(idle());
        QCOMPARE(prompts->asked.size(), size_t(1));
        QVERIFY(prompts->asked.front().text.contains(file("blocker/new.kdx")));
        QVERIFY(list->controller().isModified());
        QCOMPARE(list->controller().path(), file("films.kdx"));

        // A name without extension takes the chosen filter's; the window moves to the new file.
        prompts->files = {{file("copy"), 3}};
        main->menus().action("miSaveAs")->trigger();
        QTRY_VERIFY(idle());
        QCOMPARE(list->controller().path(), file("copy.xkdx"));
        QVERIFY(!list->controller().isModified());
        const QJsonObject xml = saveAndDump(list, file("copy.xkdx"));
        QCOMPARE(xml[QStringLiteral("lists")].toArray().size(), 3);
        QCOMPARE(CliTitles(xml), CliTitles(cli->run({"sort", file("films.kdx"), "--list", "1", "--column", "1"}).json()));
        QCOMPARE(sheetsIn("films.kdx"), 2);

        // A close whose save fails keeps the window.
        list->AddSheet();
        QFile::remove(file("copy.xkdx"));
        QVERIFY(QDir().mkpath(file("copy.xkdx")));
        prompts->answers = {PromptButton::Yes};
        QVERIFY(!list->close());
        QCOMPARE(main->lists().size(), 1);
        QVERIFY(list->controller().isModified());
    }

    void lossySavesAskFirstAndLosslessOnesDoNot()
    {
        QVERIFY((list = openSample("films.kdx")));
        const QByteArray before = test::ReadTestFile(file("films.kdx"));
        TzkRow* row = list->controller().currentList()->Row(0);
        list->controller().setCell(row, csTitle, QStringLiteral("千と千尋"));
        list->AddSheet();

        // The binary form keeps 8-bit text only: asked in Russian with the count and the
        // first place, and Cancel writes nothing.
        prompts->answers = {PromptButton::Cancel};
        main->menus().action("miSave")->trigger();
        QTRY_VERIFY(idle());
        QCOMPARE(prompts->asked.size(), size_t(1));
        QCOMPARE(prompts->asked.front().buttons.front(), PromptButton::SaveAnyway);
        QCOMPARE(prompts->asked.front().caption, QStringLiteral("Сохранение с потерями"));
        QCOMPARE(prompts->asked.front().text,
                 QStringLiteral("Если сохранить «%1» как .kdx версии 2.1, будет потеряно:\n"
                                "— 4 символа вне кодовой страницы windows-1251, они станут «?» "
                                "(первый — «千» (U+5343), список «Фильмы», запись %2 «千と千尋», колонка 1 «Название»); "
                                "их сохраняют .xkdx и .xls.\nБез потерь каталог сохранится как .xkdx (XML).")
                     .arg(file("films.kdx"), QString::number(row->ID)));
        QCOMPARE(test::ReadTestFile(file("films.kdx")), before);
        QVERIFY(list->controller().isModified());

        // XML keeps every character: nothing is asked.
        prompts->asked.clear();
        prompts->files = {{file("films.xkdx"), 0}};
        main->menus().action("miSaveAs")->trigger();
        QTRY_VERIFY(idle());
        QVERIFY(prompts->asked.empty());
        QVERIFY(!list->controller().isModified());
        QVERIFY(cli->run({"dump", file("films.xkdx")}).out.contains("千と千尋"));
    }

    void exitAsksEveryWindowAndOneCancelKeepsIt()
    {
        TfmList* a = openSample("a.kdx");
        TfmList* b = openSample("b.kdx");
        QVERIFY(a && b && openSample("c.kdx"));
        a->AddSheet();
        b->AddSheet();
        prompts->answers = {PromptButton::Cancel, PromptButton::No};
        QVERIFY(!main->close());
        QTRY_COMPARE(main->lists().size(), 1);
        QCOMPARE(main->lists().front(), a);
        QVERIFY(enabled("miSave"));
        // Yes: the window shows its save and goes once the file is written.
        prompts->answers = {PromptButton::Yes};
        QVERIFY(!main->close());
        QTRY_VERIFY(main->lists().isEmpty());
        QCOMPARE(sheetsIn("a.kdx"), 3);
        QCOMPARE(sheetsIn("b.kdx"), 2);
    }

    void newCatalogueIsWrittenAndOpened()
    {
        prompts->files = {{file("fresh"), 1}};
        main->menus().action("miNew")->trigger();
        QTRY_COMPARE(main->lists().size(), 1);
        QVERIFY(WaitLoaded(main->lists().front()));
        const QJsonObject dump = cli->run({"dump", file("fresh.xkdx")}).json();
        const QJsonArray lists = dump[QStringLiteral("lists")].toArray();
        QCOMPARE(lists.size(), 1);
        QCOMPARE(lists[0][QStringLiteral("name")].toString(), QStringLiteral("Фильмы"));
        QCOMPARE(lists[0][QStringLiteral("columns")].toArray()[1][QStringLiteral("name")].toString(), QStringLiteral("Название"));
        QCOMPARE(lists[0][QStringLiteral("columns")].toArray()[1][QStringLiteral("pattern")].toString(), QStringLiteral("%Name%"));

        prompts->asked.clear();
        prompts->files = {{file("odd.abc"), 0}};
        main->menus().action("miNew")->trigger();
        QVERIFY(!QFile::exists(file("odd.abc")));
        QCOMPARE(prompts->asked.size(), size_t(1));
    }

    // Column settings a person changed in the options: a new catalogue's sheet and a sheet
    // added to it later both take every one of them.
    void newAndAddedSheetsStartWithTheSameColumnSettings()
    {
        zkOptions& options = main->shell().options();
        options.ColName[2] = QStringLiteral("Оригинал");
        options.ColType[5] = ctNumber;
        options.ColPattern[6] = QStringLiteral("%Size%");
        options.ColLogicalVal[3] = QStringLiteral("есть");
        options.ColNamesWithDot[7] = !options.ColNamesWithDot[7];
        options.ColSecondNames[8] = !options.ColSecondNames[8];
        prompts->files = {{file("fresh.kdx"), 0}};
        main->menus().action("miNew")->trigger();
        QTRY_COMPARE(main->lists().size(), 1);
        TfmList* window = main->lists().front();
        QVERIFY(WaitLoaded(window));
        window->AddSheet();
        const TzkReelkeep& document = *window->controller().document();
        QCOMPARE(document.ListCount(), 2);
        for (int c = 0; c < kStoredColumnCount; ++c) {
            const auto i = static_cast<size_t>(c);
            for (int sheet = 0; sheet < 2; ++sheet) {
                const TzkColumn& column = document.List(sheet)->Column(c);
                QCOMPARE(column.Name, options.ColName[i]);
                QCOMPARE(column.Type, options.ColType[i]);
                QCOMPARE(column.Pattern, options.ColPattern[i]);
                QCOMPARE(column.LogicalValue, options.ColLogicalVal[i]);
                QCOMPARE(column.NamesWithDot, options.ColNamesWithDot[i]);
                QCOMPARE(column.SecondNames, options.ColSecondNames[i]);
            }
        }
    }

    void listsMenuResolvesAgainstTheProgramFolder()
    {
        WriteSampleCatalogue(file("films.kdx"));
        test::WriteTestFile(file("setup.ini"), test::ReadTestFile(file("setup.ini"))
                                                   + "\r\n[lists]\r\ncount=2\r\ncomm1=Films\r\nfilename1=films.kdx\r\ncomm2=Gone\r\nfilename2=gone.kdx\r\n");
        main->LoadListOfFiles();
        QMenu* menu = main->menus().menu("miLists");
        QCOMPARE(menu->actions().size(), 2);
        menu->actions()[0]->trigger();
        QTRY_COMPARE(main->lists().size(), 1);
        QVERIFY(WaitLoaded(main->lists().front()));
        QCOMPARE(main->lists().front()->caption(), QDir::toNativeSeparators(file("films.kdx")));
        menu->actions()[0]->trigger();
        QCOMPARE(main->lists().size(), 1);
        menu->actions()[1]->trigger();
        QCOMPARE(prompts->asked.back().text, QStringLiteral("Файл не существует"));
        QCOMPARE(prompts->asked.back().icon, PromptIcon::Error);
    }

    void windowBarFollowsTheSettingAndTheWindows()
    {
        QVERIFY(showMainWindow({1000, 700}));
        QVERIFY(!main->mdiPanel());
        TfmList* a = openSample("a.kdx");
        QVERIFY(a);
        main->shell().options().UseMDIPanel = true;
        main->UpdateMDIPanel();
        TMDIPanel* bar = main->mdiPanel();
        QVERIFY(bar && bar->isVisible());
        TfmList* b = openSample("b.kdx");
        QVERIFY(b);
        const auto tips = [bar] { return ButtonTips(bar); };
        // The window that was open before the bar came has its button too.
        QTRY_COMPARE(tips(), test::u({"a.kdx", "b.kdx"}));
        QVERIFY(bar->ButtonOf(b)->isChecked());

        prompts->files = {{file("renamed.kdx"), 0}};
        main->mdiArea()->setActiveSubWindow(b);
        main->menus().action("miSaveAs")->trigger();
        QTRY_VERIFY(idle());
        QTRY_COMPARE(tips(), test::u({"a.kdx", "renamed.kdx"}));

        main->shell().options().UseMDIPanel = false;
        main->UpdateMDIPanel();
        QVERIFY(!main->mdiPanel());
    }

    void menusAndKeysFollowTheActiveWindow()
    {
        QVERIFY(showMainWindow({1000, 700}));
        TfmList* ru = openSample("ru.kdx");
        TfmList* en = openSample("en.kdx", QStringLiteral("Title"));
        QVERIFY(ru && en);
        const auto filterItems = [this] { return ActionTexts(main->menus().menu("miFilter")); };
        QVERIFY(filterItems().contains(QStringLiteral("Title")));
        QVERIFY(!filterItems().contains(QStringLiteral("Название")));
        for (TfmList* window : {ru, en}) {
            main->mdiArea()->setActiveSubWindow(window);
            QCOMPARE(filterItems().contains(QStringLiteral("Title")), window == en);
            // The Delete key reaches the active window's grid through the one main-window action.
            window->grid()->setFocus();
            window->grid()->setCurrentIndex(window->grid()->model()->index(0, 0));
            prompts->asked.clear();
            prompts->answers = {PromptButton::Yes};
            QTest::keyClick(window->grid(), Qt::Key_Delete);
            QCOMPARE(prompts->asked.size(), size_t(1));
            QCOMPARE(window->controller().currentList()->RowCount(), 4);
        }
    }
};

QTEST_MAIN(ShellTest)
#include "ShellTest.moc"
