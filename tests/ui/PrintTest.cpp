// Printing from a list window: the preview and the printout against reelkeep-cli's
// PDF of the same catalogue, errors before any page, and the cover layout chosen in
// the preview for one print only.
#include "IniFile.h"
#include "MainMenu.h"
#include "PrintCommands.h"
#include "PrintDialogs.h"
#include "TfmPrintPreview.h"
#include "UiTestSupport.h"
#include "ZKCover.h"

#include "../print/PrintTestSupport.h"

#include <QAction>
#include <QComboBox>
#include <QToolButton>
#include <QTreeView>

using namespace reelkeep;
using namespace reelkeep::testing;

namespace {

// Answers the preview by printing into a PDF file, as a person choosing "Print to file" would.
class PdfPrintDialogs : public PrintDialogs {
public:
    bool preview(TfmPrintPreview& preview) override
    {
        ++previews;
        PreparePdfPrinter(preview.printer(), pdf, preview.printer().pageLayout().orientation());
        if (pick)
            pick(preview);
        preview.refresh();
        previewPages = preview.pageCount();
        notice = preview.notice();
        orientation = preview.printer().pageLayout().orientation();
        return print;
    }
    bool choosePrinter(QPrinter&, QWidget*) override { return true; }

    QString pdf;
    bool print = true;
    std::function<void(TfmPrintPreview&)> pick;
    int previews = 0;
    int previewPages = -1;
    QString notice;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
};

void SaveLayout(const QString& path, int type, const QString& text, float width = 100)
{
    ZKCover cover;
    cover.CoverType = type;
    test::AddText(cover, 5, 5, width, 10, text);
    cover.SaveToFile(path);
}

} // namespace

class PrintTest : public QObject, MainWindowFixture {
    Q_OBJECT

private:
    PdfPrintDialogs dialogs;

    QString path(const char* name) const { return cli->path(name); }

    void selectTitle(const QString& title, QItemSelectionModel::SelectionFlags how)
    {
        const QModelIndex found = TitleIndex(*list->grid()->model(), title);
        QVERIFY(found.isValid());
        list->grid()->selectionModel()->select(found, how | QItemSelectionModel::Rows);
    }

private slots:
    void init()
    {
        newProgramFolder();
        SaveLayout(path("DefCover.cvr"), 3, QStringLiteral("Disc %ID+Part%%Part%: %Name% (%Year%)"));
        startMainWindow();
        main->printing().setDialogs(&dialogs);
        dialogs = PdfPrintDialogs();
        dialogs.pdf = path("window.pdf");
        QVERIFY(showMainWindow({1000, 700}));

        TestCatalogue doc;
        TZKList* films = doc.sheet("Фильмы").doc.List(0);
        // Titles in reverse, so the printout shows the grid's order; a group prints its children under it.
        for (int i = 150; i >= 1; --i) {
            TzkRow* row = films->AddRow();
            row->Fields[0] = QString::number(1000 + i);
            row->Fields[1] = QStringLiteral("Фильм %1").arg(i, 3, 10, QLatin1Char('0'));
            row->Fields[11] = QString::number(1850 + i);
        }
        films->Row(149)->Fields[4] = QStringLiteral("3"); // Фильм 001, ID 150
        for (const char* part : {"Часть 1", "Часть 2"})
            films->AddRow(films->Row(10))->Fields[1] = QString::fromUtf8(part);
        doc.doc.SaveToFile(path("films.kdx"));
        QVERIFY((list = openLoaded(path("films.kdx"))));
    }
    void cleanup() { closeMainWindow(); }

    void printedListIsTheToolsListAndThePreviewShowsEveryPage()
    {
        QStringList statuses;
        connect(&list->controller(), &ListController::statusChanged, this,
                [&] { statuses << list->controller().statusTexts().back(); });
        list->findChild<QToolButton*>(QStringLiteral("btnPrintList"))->click();
        QVERIFY2(prompts->asked.empty(), qPrintable(prompts->texts()));
        QCOMPARE(dialogs.previews, 1);

        QVERIFY(cli->run({"print-list", "films.kdx", "--pdf", "tool.pdf"}).status == 0);
        const QStringList window = test::PdfPageTexts(dialogs.pdf), tool = test::PdfPageTexts(path("tool.pdf"));
        QVERIFY(tool.size() >= 2);
        QCOMPARE(window, tool);
        QCOMPARE(dialogs.previewPages, tool.size());
        QVERIFY(window.join(QString()).contains(QStringLiteral("Часть 2")));
        // Drawing shows "printing" in the status bar, and "ready" when it is over (preview, then printout).
        QCOMPARE(statuses, test::u({"Печать", "Готово", "Печать", "Готово"}));
    }

    void aBadPrintColumnIsToldAndTheDefaultPrints()
    {
        IniFile(path("setup.ini")).WriteString(QStringLiteral("print"), QStringLiteral("columns"), QStringLiteral("1,,12"));
        main->menus().action("miPrintList")->trigger();
        QCOMPARE(prompts->asked.size(), size_t(1));
        QCOMPARE(prompts->asked[0].icon, PromptIcon::Warning);
        QVERIFY2(prompts->asked[0].text.contains(QStringLiteral("setup.ini, section [print], key Columns: \"1,,12\"")),
                 qPrintable(prompts->asked[0].text));
        QCOMPARE(dialogs.previews, 1);
    }

    void theCoverOfTheFirstSelectedRecordInGridOrderPrintsAPagePerDisc()
    {
        // Chosen lower row first: the upper one, "Фильм 001" with three discs, is the one printed.
        selectTitle(QStringLiteral("Фильм 002"), QItemSelectionModel::ClearAndSelect);
        selectTitle(QStringLiteral("Фильм 001"), QItemSelectionModel::Select);
        main->menus().action("miPrintCover")->trigger();
        QVERIFY2(prompts->asked.empty(), qPrintable(prompts->texts()));
        QVERIFY(cli->run({"print-cover", "films.kdx", "--pdf", "tool.pdf", "--id", "150"}).status == 0);
        const QStringList window = test::PdfPageTexts(dialogs.pdf);
        QCOMPARE(window.size(), 3);
        QCOMPARE(window, test::PdfPageTexts(path("tool.pdf")));
        QCOMPARE(dialogs.previewPages, 3);
        QVERIFY2(window[2].contains(QStringLiteral("Disc 1003 #3: Фильм 001 (1851)")), qPrintable(window[2]));
    }

    void aLayoutPickedInThePreviewServesThatPrintOnly()
    {
        SaveLayout(path("Other.cvr"), 3, QStringLiteral("Other layout: %Name%"));
        selectTitle(QStringLiteral("Фильм 002"), QItemSelectionModel::ClearAndSelect);
        dialogs.pick = [](TfmPrintPreview& preview) {
            auto* layouts = preview.findChild<QComboBox*>(QStringLiteral("cbCoverLayout"));
            QCOMPARE(layouts->currentText(), QStringLiteral("DefCover.cvr"));
            QTest::keyClick(layouts, Qt::Key_Down);
            QCOMPARE(layouts->currentText(), QStringLiteral("Other.cvr"));
        };
        const QByteArray settingsBefore = test::ReadTestFile(path("setup.ini"));
        main->menus().action("miPrintCover")->trigger();
        QVERIFY(test::PdfPageTexts(dialogs.pdf).value(0).contains(QStringLiteral("Other layout: Фильм 002")));
        QCOMPARE(main->shell().options().CoverFile, QStringLiteral("DefCover.cvr"));
        QCOMPARE(test::ReadTestFile(path("setup.ini")), settingsBefore);

        dialogs.pick = nullptr;
        main->menus().action("miPrintCover")->trigger();
        QVERIFY(test::PdfPageTexts(dialogs.pdf).value(0).contains(QStringLiteral("Disc 1002: Фильм 002")));
    }

    void thePreviewSaysWhatKeepsACoverFromPrintingWhole()
    {
        selectTitle(QStringLiteral("Фильм 002"), QItemSelectionModel::ClearAndSelect);
        dialogs.print = false;
        const auto previewWith = [&](const char* layout) {
            main->shell().options().CoverFile = QString::fromUtf8(layout);
            main->menus().action("miPrintCover")->trigger();
        };
        // A missing layout: said so, nothing drawn, nothing printed.
        previewWith("Missing.cvr");
        QVERIFY2(dialogs.notice.contains(QStringLiteral("Missing.cvr")), qPrintable(dialogs.notice));
        QCOMPARE(dialogs.previewPages, 0);
        // A cover 240 mm wide comes up in landscape, saying why.
        SaveLayout(path("Wide.cvr"), 4, QStringLiteral("%Name%"));
        previewWith("Wide.cvr");
        QCOMPARE(dialogs.orientation, QPageLayout::Landscape);
        QCOMPARE(dialogs.notice, main->shell().text("Printing", "ShownInLandscape"));
        QCOMPARE(dialogs.previewPages, 1);
        // A text box 400 mm wide fits neither way.
        SaveLayout(path("Huge.cvr"), 3, QStringLiteral("%Name%"), 400);
        previewWith("Huge.cvr");
        QCOMPARE(dialogs.notice, main->shell().text("Printing", "DoesNotFit"));
        QVERIFY(!QFile::exists(dialogs.pdf));
        QVERIFY(prompts->asked.empty());
    }

    void thePageTurnsOnlyWhereTheCoverFitsAndThePreviewButtonsShowTheWay()
    {
        selectTitle(QStringLiteral("Фильм 002"), QItemSelectionModel::ClearAndSelect);
        dialogs.print = false;
        // Fitting neither way, the page stays as it was.
        SaveLayout(path("Huge.cvr"), 3, QStringLiteral("%Name%"), 400);
        main->shell().options().CoverFile = QStringLiteral("Huge.cvr");
        main->menus().action("miPrintCover")->trigger();
        QCOMPARE(dialogs.orientation, QPageLayout::Portrait);

        SaveLayout(path("Wide.cvr"), 4, QStringLiteral("%Name%"));
        main->shell().options().CoverFile = QStringLiteral("Wide.cvr");
        QStringList shown;
        dialogs.pick = [&shown](TfmPrintPreview& preview) {
            const auto way = [&preview] {
                QString checked;
                for (const char* name : {"acPortrait", "acLandscape"})
                    if (preview.findChild<QAction*>(QString::fromLatin1(name))->isChecked())
                        checked += QString::fromLatin1(name);
                return checked;
            };
            preview.refresh();
            shown << way();
            preview.findChild<QAction*>(QStringLiteral("acPortrait"))->trigger();
            shown << way();
        };
        main->menus().action("miPrintCover")->trigger();
        QCOMPARE(shown, test::u({"acLandscape", "acPortrait"}));
        QCOMPARE(dialogs.orientation, QPageLayout::Portrait);
        QCOMPARE(dialogs.notice, main->shell().text("Printing", "TurnPage"));
    }
};

QTEST_MAIN(PrintTest)
#include "PrintTest.moc"
