// The options dialog over a real main window: rows, the hot-key editor, the quick
// list, Save read back through the settings reader, Cancel, refusals; web search
// from a list window with the sites it configures.
#include "HotKeyEdit.h"
#include "IniFile.h"
#include "MainMenu.h"
#include "TfmOpt.h"
#include "TzkRecordPanel.h"
#include "UiTestSupport.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeView>
#include <QTreeWidget>

using namespace reelkeep;
using namespace reelkeep::testing;

class OptionsTest : public QObject, MainWindowFixture {
    Q_OBJECT

private:
    TfmOpt* dialog() const { return main->optionsDialog(); }
    template <typename T> T* find(const char* name) const
    {
        T* widget = dialog()->findChild<T*>(QString::fromLatin1(name));
        Q_ASSERT(widget);
        return widget;
    }
    void show() { main->menus().action("miOptions")->trigger(); }
    void click(const char* button) { find<QPushButton>(button)->click(); }
    // As typed: the text and the edit signal (key clicks carry Latin-1 only).
    void type(const char* edit, const QString& text)
    {
        auto* line = find<QLineEdit>(edit);
        line->setText(text);
        emit line->textEdited(text);
    }
    void selectRow(const char* list, int row)
    {
        auto* tree = find<QTreeWidget>(list);
        tree->setCurrentItem(tree->topLevelItem(row));
    }
    QString cell(const char* list, int row, int column) const
    {
        return find<QTreeWidget>(list)->topLevelItem(row)->text(column);
    }
    QByteArray settingsBytes() const { return test::ReadTestFile(cli->path("setup.ini")); }
    zkOptions reread() const
    {
        zkOptions options;
        options.LoadSettings(cli->path("setup.ini"));
        return options;
    }

private slots:
    void init()
    {
        newProgramFolder();
        QVERIFY(QFile::copy(QStringLiteral(REELKEEP_DATA_DIR "/English.lng"), cli->path("English.lng")));
        startMainWindow();
    }
    void cleanup() { closeMainWindow(); }

    void hotKeysWithoutModifierGetAltAndAreSavedAfterADuplicateIsToldOf()
    {
        // Opened a second time, the dialog shows the same rows, not twice as many.
        const auto rowCounts = [this] {
            QList<int> counts;
            for (const char* list : {"lvShortCut", "lvShabl", "lvSearch", "lvFiles"})
                counts << find<QTreeWidget>(list)->topLevelItemCount();
            return counts;
        };
        show();
        const QList<int> first = rowCounts();
        click("btnCancel");
        QVERIFY(!dialog()->isVisible());
        show();
        QCOMPARE(rowCounts(), first);
        QCOMPARE(cell("lvShortCut", 0, 0), QStringLiteral("Фильтр ") + main->shell().options().ColName[1]);
        QCOMPARE(find<QComboBox>("cbLanguage")->currentText(), QStringLiteral("Russian.lng"));

        auto* editor = find<HotKeyEdit>("hkShortCut");
        selectRow("lvShortCut", 0);
        QCOMPARE(editor->keySequence(), QKeySequence(Qt::Key_F9));
        QTest::keyClick(editor, Qt::Key_F9);
        QCOMPARE(cell("lvShortCut", 0, 1), QStringLiteral("Alt+F9"));
        selectRow("lvShortCut", 1);
        QTest::keyClick(editor, Qt::Key_F5, Qt::ShiftModifier);
        QCOMPARE(QKeySequence::fromString(cell("lvShortCut", 1, 1)), QKeySequence(QStringLiteral("Shift+Alt+F5")));
        selectRow("lvShortCut", 2);
        QTest::keyClick(editor, Qt::Key_K, Qt::ControlModifier);
        QCOMPARE(cell("lvShortCut", 2, 1), QStringLiteral("Ctrl+K"));
        QTest::keyClick(editor, Qt::Key_Backspace);
        QCOMPARE(cell("lvShortCut", 2, 1), QString());
        // A key given twice is told before anything is written; Cancel keeps the dialog.
        selectRow("lvShortCut", 3);
        QTest::keyClick(editor, Qt::Key_O, Qt::ControlModifier);
        const QByteArray before = settingsBytes();
        prompts->answers = {PromptButton::Cancel};
        click("btnSave");
        QVERIFY(prompts->texts().contains(QStringLiteral("Ctrl+O")));
        QVERIFY(dialog()->isVisible());
        QCOMPARE(settingsBytes(), before);
        selectRow("lvShortCut", 3);
        QTest::keyClick(editor, Qt::Key_Backspace);
        click("btnSave");
        QVERIFY(!dialog()->isVisible());
        const zkOptions saved = reread();
        QCOMPARE(saved.ColShortCut[1], QStringLiteral("Alt+F9"));
        QCOMPARE(main->menus().filterActions()[0]->shortcut(), QKeySequence(QStringLiteral("Alt+F9")));
        QCOMPARE(saved.ColShortCut[3], QString());
        // Rows nobody touched keep their stored text.
        QCOMPARE(saved.ShortCutSaveAs, QStringLiteral("Shift+Ctrl+S"));
    }

    void saveWritesWhatWasEnteredAndRefreshesTheProgram()
    {
        QVERIFY((list = openSample("films.kdx")));
        show();
        type("edONBegin", QStringLiteral("{"));
        type("edPEnd", QStringLiteral(">"));
        selectRow("lvShabl", 2);
        type("edShabl", QStringLiteral("%Name% / %Year%"));
        QCOMPARE(cell("lvShabl", 2, 1), QStringLiteral("%Name% / %Year%"));
        type("edColNum", QStringLiteral("2, 3"));
        type("edColWidth", QStringLiteral("50,50"));
        type("edCoverFileName", QStringLiteral("Sleeve.cvr"));
        find<QCheckBox>("cbUseMDIPanel")->setChecked(true);

        // The quick list: a file of the program folder is kept bare, one elsewhere whole.
        find<QTabWidget>("PageControl1")->setCurrentIndex(1);
        QVERIFY(find<QPushButton>("btnAddList")->isDefault());
        const QString lookalike = QStringLiteral("/elsewhere") + cli->folder() + QStringLiteral("/films.kdx");
        // "..." chooses among catalogues read as lists, named by the language table.
        prompts->files = {{QDir(cli->folder()).filePath(QStringLiteral("films.kdx")), 0}};
        click("SpeedButton1");
        QCOMPARE(prompts->lastFilters, test::u({"Список Corvane (*.kdx)"}));
        click("btnAddList"); // no name yet: nothing added
        QCOMPARE(find<QTreeWidget>("lvFiles")->topLevelItemCount(), 0);
        type("edComm", QStringLiteral("Мои фильмы"));
        QTest::keyClick(find<QLineEdit>("edComm"), Qt::Key_Return);
        type("edName", lookalike);
        type("edComm", QStringLiteral("Чужие"));
        click("btnAddList");
        QCOMPARE(cell("lvFiles", 0, 0), QStringLiteral("films.kdx"));
        QCOMPARE(cell("lvFiles", 1, 0), lookalike);
        QVERIFY(find<QLineEdit>("edName")->text().isEmpty() && find<QLineEdit>("edComm")->text().isEmpty());
        click("btnRemoveList"); // nothing picked: nothing removed
        QCOMPARE(find<QTreeWidget>("lvFiles")->topLevelItemCount(), 2);
        find<QTreeWidget>("lvFiles")->topLevelItem(1)->setSelected(true);
        click("btnRemoveList");
        QCOMPARE(find<QTreeWidget>("lvFiles")->topLevelItemCount(), 1);

        type("edSrchName", QStringLiteral("Поиск"));
        type("edSrchURL", QStringLiteral("https://search.example/?q=%Name%"));
        click("btnAddSrch");
        type("edCustomString", QStringLiteral("%TotalSize%"));
        auto* language = find<QComboBox>("cbLanguage");
        language->setCurrentIndex(language->findText(QStringLiteral("English.lng")));
        click("btnSave");
        QVERIFY2(!dialog()->isVisible(), qPrintable(prompts->texts()));

        const zkOptions saved = reread();
        QCOMPARE(saved.OrigNameSepBegin, QStringLiteral("{"));
        QCOMPARE(saved.PartSepEnd, QStringLiteral(">"));
        QCOMPARE(saved.ColPattern[3], QStringLiteral("%Name% / %Year%"));
        QCOMPARE(saved.CoverFile, QStringLiteral("Sleeve.cvr"));
        QVERIFY(saved.UseMDIPanel);
        QCOMPARE(saved.ListFileNames, test::u({"films.kdx"}));
        QCOMPARE(saved.ListComments, test::u({"Мои фильмы"}));
        QCOMPARE(saved.SearchCount, 2);
        QCOMPARE(saved.SrchURL[1], QStringLiteral("https://search.example/?q=%Name%"));
        QCOMPARE(saved.StatusStat, QStringLiteral("%TotalSize%"));
        QCOMPARE(saved.DefLanguageFile, QStringLiteral("English.lng"));
        QVERIFY(settingsBytes().contains("Columns=2, 3") || settingsBytes().contains("columns=2, 3"));

        // The program took the new settings: the Lists menu and the list window's sites.
        QCOMPARE(main->shell().options().DefLanguageFile, QStringLiteral("English.lng"));
        const QList<QAction*> quick = main->menus().menu("miLists")->actions();
        QCOMPARE(quick.size(), 1);
        QCOMPARE(quick.front()->text(), QStringLiteral("Мои фильмы"));
        QCOMPARE(list->findChild<QComboBox*>(QStringLiteral("cbSearchURL"))->count(), 2);
        quick.front()->trigger(); // the bare name opens the catalogue of the program folder
        QCOMPARE(main->lists().size(), 1);
    }

    // A list window keeps what it was handed across two saves: the settings and plug-ins
    // are the same objects, updated, and the window goes on using them (under ASan a
    // reference to a replaced object would be a read of freed memory).
    void aListWindowOutlastsTwoSavesOfTheOptions()
    {
        QVERIFY(showMainWindow({1000, 700}));
        list = openSample("films.kdx");
        QVERIFY(list);
        const zkOptions* options = &main->shell().options();
        const TzkPluginsPack* plugins = &main->shell().plugins();
        for (const QString& cover : {QStringLiteral("One.cvr"), QStringLiteral("Two.cvr")}) {
            show();
            type("edCoverFileName", cover);
            click("btnSave");
            QCOMPARE(&main->shell().options(), options);
            QCOMPARE(&main->shell().plugins(), plugins);
            QCOMPARE(options->CoverFile, cover);
            // The window reads the settings again: its panel is laid out, its grid sorted.
            list->resize(list->width() - 10, list->height());
            list->recordPanel()->setColumns(list->controller().currentList());
            QVERIFY(list->controller().sortBy(csTitle));
        }
        QCOMPARE(list->grid()->model()->headerData(csTitle, Qt::Horizontal).toString(), QStringLiteral("Название"));
    }

    void cancelAndRefusedSavesLeaveTheSettingsFile()
    {
        const QByteArray before = settingsBytes();
        show();
        type("edONBegin", QStringLiteral("<<"));
        type("edSrchName", QStringLiteral("Сайт"));
        type("edSrchURL", QStringLiteral("http://a.example/%Name%"));
        click("btnAddSrch");
        click("btnCancel");
        QCOMPARE(settingsBytes(), before);
        QCOMPARE(main->shell().options().OrigNameSepBegin, QStringLiteral("("));

        show();
        QCOMPARE(find<QLineEdit>("edONBegin")->text(), QStringLiteral("("));
        type("edColWidth", QStringLiteral("80,x"));
        click("btnSave");
        QVERIFY(prompts->texts().contains(QStringLiteral("80,x")));
        QVERIFY(dialog()->isVisible());
        QCOMPARE(find<QLineEdit>("edColWidth")->text(), QStringLiteral("80,x"));
        type("edColWidth", QStringLiteral("80,4"));
        // A settings file that cannot be written is told, and the edits stay.
        QFile::setPermissions(cli->path("setup.ini"), QFileDevice::ReadOwner);
        type("edPBegin", QStringLiteral("#"));
        click("btnSave");
        QVERIFY(dialog()->isVisible());
        QCOMPARE(find<QLineEdit>("edPBegin")->text(), QStringLiteral("#"));
        QFile::setPermissions(cli->path("setup.ini"), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QCOMPARE(settingsBytes(), before);
        // No language file: said at opening, and an empty name is never stored.
        click("btnCancel");
        QVERIFY(QFile::remove(cli->path("English.lng")) && QFile::remove(cli->path("Russian.lng")));
        prompts->asked.clear();
        show();
        QVERIFY(prompts->texts().contains(QStringLiteral("Language file not found")));
        click("btnSave");
        QVERIFY(dialog()->isVisible());
        QCOMPARE(settingsBytes(), before);
    }

    void enterInAFieldOfTheGeneralPageSavesAndChoosesNoFile()
    {
        show();
        QVERIFY(QTest::qWaitForWindowActive(dialog()));
        auto* columns = find<QLineEdit>("edColNum");
        QTest::mouseClick(columns, Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), columns);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral(",3"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY2(prompts->lastFilters.isEmpty(), qPrintable(prompts->lastFilters.join(QLatin1Char(' '))));
        QVERIFY(!dialog()->isVisible());
        QCOMPARE(IniFile(cli->path("setup.ini")).ReadString(QStringLiteral("print"), QStringLiteral("columns"), QString()),
                 QStringLiteral("2,5,8,13,12,3"));
        // The pages with a list to add to keep their Add button for Enter.
        show();
        find<QTabWidget>("PageControl1")->setCurrentIndex(2);
        QVERIFY(find<QPushButton>("btnAddSrch")->isDefault());
        QVERIFY(!find<QPushButton>("btnSave")->isDefault());
        find<QTabWidget>("PageControl1")->setCurrentIndex(3);
        QVERIFY(find<QPushButton>("btnSave")->isDefault());
    }

    void webSearchOpensTheSiteWithTheTitlesEncoded()
    {
        TestCatalogue films;
        films.sheet("Фильмы").record({{csTitle, "Брат 2"}, {csOrigTitle, "Brother/2"}});
        films.record({{csTitle, "Tom & Jerry"}});
        films.doc.SaveToFile(cli->path("search.kdx"));
        show();
        find<QTreeWidget>("lvSearch")->clear();
        type("edSrchName", QStringLiteral("Гид"));
        type("edSrchURL", QStringLiteral("http://kino.example/find?Search=Simple&t=%name%&o=%ORIGNAME%"));
        find<QComboBox>("cbSrchEncoding")->setCurrentText(QStringLiteral("windows-1251"));
        click("btnAddSrch");
        click("btnSave");

        QVERIFY((list = openLoaded(cli->path("search.kdx"))));
        auto* button = list->findChild<QToolButton*>(QStringLiteral("btnSearch"));
        QVERIFY(!button->isEnabled()); // no record yet
        QList<QByteArray> opened;
        list->setUrlOpener([&opened](const QUrl& url) {
            opened << url.toEncoded();
            return true;
        });
        QTreeView* grid = list->grid();
        for (int row = 0; row < 2; ++row) {
            const QModelIndex index = grid->model()->index(row, 1);
            grid->setCurrentIndex(index);
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(index).center());
            QVERIFY(button->isEnabled());
            button->click();
        }
        // Sorted by title: the Cyrillic title comes after the Latin one.
        QCOMPARE(opened, (QList<QByteArray>{"http://kino.example/find?Search=Simple&t=Tom%20%26%20Jerry&o=",
                                            "http://kino.example/find?Search=Simple&t=%C1%F0%E0%F2%202&o=Brother%2F2"}));
        QVERIFY(prompts->asked.empty());

        // A pattern that is no web address is refused.
        main->shell().options().SrchURL[0] = QStringLiteral("file:///etc/%Name%");
        button->click();
        QCOMPARE(opened.size(), 2);
        QVERIFY(prompts->texts().contains(QStringLiteral("file:///etc/")));
    }
    void eachSiteGetsItsOwnEncodingAndATitleItCannotCarryIsNeverSentMangled()
    {
        TestCatalogue films;
        films.sheet("Фильмы").record({{csTitle, "Брат 2"}});
        films.record({{csTitle, "千と千尋の神隠し"}});
        films.doc.Save(cli->path("search.xkdx"), CatalogueForm::Xml); // a form that keeps every character
        QVERIFY(showMainWindow({1100, 800}));
        // The shipped site stays windows-1251; a site added now is UTF-8 unless chosen otherwise.
        show();
        QCOMPARE(cell("lvSearch", 0, 2), QStringLiteral("windows-1251"));
        type("edSrchName", QStringLiteral("Mirror"));
        type("edSrchURL", QStringLiteral("https://films.example/s?q=%Name%"));
        QCOMPARE(find<QComboBox>("cbSrchEncoding")->currentText(), QStringLiteral("UTF-8"));
        click("btnAddSrch");
        QCOMPARE(cell("lvSearch", 1, 2), QStringLiteral("UTF-8"));
        click("btnSave");
        QCOMPARE(reread().SrchEncoding, QStringList({QStringLiteral("windows-1251"), QStringLiteral("UTF-8")}));

        QVERIFY((list = openLoaded(cli->path("search.xkdx"))));
        QList<QByteArray> opened;
        bool browserFound = true;
        list->setUrlOpener([&](const QUrl& url) {
            opened << url.toEncoded();
            return browserFound;
        });
        auto* sites = list->findChild<QComboBox*>(QStringLiteral("cbSearchURL"));
        auto* button = list->findChild<QToolButton*>(QStringLiteral("btnSearch"));
        const auto search = [&](const char* title, int site) {
            QTreeView* grid = list->grid();
            const QModelIndex row = TitleIndex(*grid->model(), QString::fromUtf8(title)).siblingAtColumn(1);
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(row).center());
            sites->setCurrentIndex(site);
            button->click();
        };
        search("Брат 2", 1);
        search("Брат 2", 0);
        QCOMPARE(opened, (QList<QByteArray>{"https://films.example/s?q=%D0%91%D1%80%D0%B0%D1%82%202",
                                            "http://www.kinopoisk.ru/find.asp?Search=Simple&types=film&titles=%C1%F0%E0%F2%202"}));
        search("千と千尋の神隠し", 1);
        QCOMPARE(opened.back(), QByteArray("https://films.example/s?q=%E5%8D%83%E3%81%A8%E5%8D%83%E5%B0%8B%E3%81%AE%E7%A5%9E%E9%9A%A0%E3%81%97"));
        QVERIFY(prompts->asked.empty());
        // windows-1251 cannot carry it: the person is asked, Cancel sends nothing, Yes sends UTF-8.
        opened.clear();
        prompts->answers = {PromptButton::Cancel};
        search("千と千尋の神隠し", 0);
        QCOMPARE(prompts->asked.size(), size_t(1));
        QVERIFY2(prompts->asked[0].text.contains(QStringLiteral("千と千尋の神隠し")) && prompts->asked[0].text.contains(QStringLiteral("UTF-8")),
                 qPrintable(prompts->texts()));
        QVERIFY(opened.isEmpty());
        search("千と千尋の神隠し", 0);
        QCOMPARE(opened, QList<QByteArray>{"http://www.kinopoisk.ru/find.asp?Search=Simple&types=film&titles="
                                           "%E5%8D%83%E3%81%A8%E5%8D%83%E5%B0%8B%E3%81%AE%E7%A5%9E%E9%9A%A0%E3%81%97"});
        // Without a browser the person is told so.
        browserFound = false;
        search("Брат 2", 1);
        QCOMPARE(prompts->asked.back().text, QStringLiteral("Не удалось открыть «https://films.example/s?q=%D0%91%D1%80%D0%B0%D1%82%202» в браузере."));

        // The shipped site switched to UTF-8 in the options is stored so and used so.
        show();
        QTreeWidget* sitesList = find<QTreeWidget>("lvSearch");
        QTest::mouseClick(sitesList->viewport(), Qt::LeftButton, {}, sitesList->visualItemRect(sitesList->topLevelItem(0)).center());
        auto* encoding = find<QComboBox>("cbSrchEncoding");
        QCOMPARE(encoding->currentText(), QStringLiteral("windows-1251"));
        encoding->setCurrentIndex(0);
        emit encoding->activated(0);
        QCOMPARE(cell("lvSearch", 0, 2), QStringLiteral("UTF-8"));
        click("btnSave");
        QCOMPARE(IniFile(cli->path("setup.ini")).ReadString(QStringLiteral("Options"), QStringLiteral("SrchEncoding1"), QString()),
                 QStringLiteral("UTF-8"));
        browserFound = true;
        opened.clear();
        search("Брат 2", 0);
        QCOMPARE(opened, QList<QByteArray>{"http://www.kinopoisk.ru/find.asp?Search=Simple&types=film&titles=%D0%91%D1%80%D0%B0%D1%82%202"});
    }
};

QTEST_MAIN(OptionsTest)
#include "OptionsTest.moc"
