// Printing from a list window: the preview and the printout against reelkeep-cli's
// PDF of the same catalogue, errors before any page, and the cover layout chosen in
// the preview for one print only.
#include "FilterForms.h"
#include "IniFile.h"
#include "MainMenu.h"
#include "PrintCommands.h"
#include "PrintDialogs.h"
#include "TfmFilter.h"
#include "TfmPrintPreview.h"
#include "UiTestSupport.h"
#include "ZKCover.h"

#include "../print/PrintTestSupport.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QPrintDialog>
#include "PreviewPages.h"
#include <QStandardPaths>
#include <QTimer>
#include <QToolBar>
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
        if (!QTest::qWaitFor([&preview] { return !preview.isDrawing(); }))
            qWarning("the preview's pages were never drawn");
        previewPages = preview.pageCount();
        notice = preview.notice();
        orientation = preview.printer().pageLayout().orientation();
        return print;
    }
    // The person takes the PDF file offered or, when pdf is set, types that one.
    bool choosePrinter(QPrinter& printer, int pageCount, QWidget*) override
    {
        offeredFile = printer.outputFileName();
        dialogPages = pageCount;
        PreparePdfPrinter(printer, pdf, printer.pageLayout().orientation());
        return choose ? choose(printer) : true;
    }

    QString pdf;
    // What the person does in the print dialog; true is Print.
    std::function<bool(QPrinter&)> choose;
    QString offeredFile;
    int dialogPages = -1;
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

    // The tool bar button of a preview action, as a person sees and clicks it.
    static QToolButton* button(TfmPrintPreview& preview, const char* action)
    {
        auto* found = preview.findChild<QAction*>(QString::fromLatin1(action));
        return qobject_cast<QToolButton*>(preview.findChild<QToolBar*>()->widgetForAction(found));
    }
    static QString pageLabel(TfmPrintPreview& preview)
    {
        for (const QLabel* label : preview.findChild<QToolBar*>()->findChildren<QLabel*>())
            if (label->isVisible())
                return label->text();
        return QString();
    }

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
        QTRY_VERIFY(!list->isBusy());
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
        QTRY_VERIFY(!list->isBusy());
        QCOMPARE(prompts->asked.size(), size_t(1));
        QCOMPARE(prompts->asked[0].icon, PromptIcon::Warning);
        // In the window's language, naming the file, section, key and value.
        QVERIFY2(prompts->asked[0].text.contains(QStringLiteral("setup.ini, раздел [print], ключ Columns: «1,,12»")),
                 qPrintable(prompts->asked[0].text));
        QCOMPARE(dialogs.previews, 1);
    }

    void theCoverOfTheFirstSelectedRecordInGridOrderPrintsAPagePerDisc()
    {
        // Chosen lower row first: the upper one, "Фильм 001" with three discs, is the one printed.
        selectTitle(QStringLiteral("Фильм 002"), QItemSelectionModel::ClearAndSelect);
        selectTitle(QStringLiteral("Фильм 001"), QItemSelectionModel::Select);
        main->menus().action("miPrintCover")->trigger();
        QTRY_VERIFY(!list->isBusy());
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
        QTRY_VERIFY(!list->isBusy());
        QVERIFY(test::PdfPageTexts(dialogs.pdf).value(0).contains(QStringLiteral("Other layout: Фильм 002")));
        QCOMPARE(main->shell().options().CoverFile, QStringLiteral("DefCover.cvr"));
        QCOMPARE(test::ReadTestFile(path("setup.ini")), settingsBefore);

        dialogs.pick = nullptr;
        main->menus().action("miPrintCover")->trigger();
        QTRY_VERIFY(!list->isBusy());
        QVERIFY(test::PdfPageTexts(dialogs.pdf).value(0).contains(QStringLiteral("Disc 1002: Фильм 002")));
    }

    void thePreviewSaysWhatKeepsACoverFromPrintingWhole()
    {
        selectTitle(QStringLiteral("Фильм 002"), QItemSelectionModel::ClearAndSelect);
        dialogs.print = false;
        const auto previewWith = [&](const char* layout) {
            main->shell().options().CoverFile = QString::fromUtf8(layout);
            main->menus().action("miPrintCover")->trigger();
            QTRY_VERIFY(!list->isBusy());
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
    void onlyTheChosenPagesAndCopiesArePrinted()
    {
        QVERIFY(cli->run({"print-list", "films.kdx", "--pdf", "tool.pdf"}).status == 0);
        const QStringList tool = test::PdfPageTexts(path("tool.pdf"));
        QCOMPARE(tool.size(), 2);
        const auto pagesAndCopies = [](int from, int to, int copies, bool collate) {
            return [=](QPrinter& printer) {
                printer.setPrintRange(QPrinter::PageRange);
                printer.setFromTo(from, to);
                printer.setCopyCount(copies);
                printer.setCollateCopies(collate);
                return true;
            };
        };
        dialogs.choose = pagesAndCopies(2, 2, 1, true);
        main->menus().action("miPrintList")->trigger();
        QTRY_VERIFY(!list->isBusy());
        QCOMPARE(dialogs.dialogPages, 2);
        QCOMPARE(test::PdfPageTexts(dialogs.pdf), QStringList({tool[1]}));
        dialogs.choose = pagesAndCopies(1, 2, 2, true);
        main->menus().action("miPrintList")->trigger();
        QTRY_VERIFY(!list->isBusy());
        QCOMPARE(test::PdfPageTexts(dialogs.pdf), QStringList({tool[0], tool[1], tool[0], tool[1]}));
        dialogs.choose = pagesAndCopies(1, 2, 2, false);
        main->menus().action("miPrintList")->trigger();
        QTRY_VERIFY(!list->isBusy());
        QCOMPARE(test::PdfPageTexts(dialogs.pdf), QStringList({tool[0], tool[0], tool[1], tool[1]}));

        // Covers: the third disc's page alone.
        selectTitle(QStringLiteral("Фильм 001"), QItemSelectionModel::ClearAndSelect);
        dialogs.choose = pagesAndCopies(3, 3, 1, true);
        main->menus().action("miPrintCover")->trigger();
        QTRY_VERIFY(!list->isBusy());
        const QStringList cover = test::PdfPageTexts(dialogs.pdf);
        QCOMPARE(cover.size(), 1);
        QVERIFY2(cover[0].contains(QStringLiteral("Disc 1003 #3: Фильм 001 (1851)")), qPrintable(cover[0]));
    }

    void theSystemPrintDialogOffersThePageRange()
    {
        PrintCommands printing(main->shell(), *prompts, main.get());
        bool offered = false;
        int lastPage = 0;
        QTimer::singleShot(0, this, [&] {
            QTRY_VERIFY(qobject_cast<QPrintDialog*>(QApplication::activeModalWidget()));
            auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
            offered = dialog->testOption(QAbstractPrintDialog::PrintPageRange);
            lastPage = dialog->maxPage();
            dialog->reject();
        });
        QPrinter printer;
        QVERIFY(!SystemPrintDialogs().choosePrinter(printer, 7, main.get()));
        QVERIFY(offered);
        QCOMPARE(lastPage, 7);
    }

    void cancelInThePrintDialogGoesBackToThePreview()
    {
        int asked = 0;
        dialogs.choose = [&](QPrinter&) { return ++asked > 1; };
        main->menus().action("miPrintList")->trigger();
        QTRY_VERIFY(!list->isBusy());
        QCOMPARE(asked, 2);
        QCOMPARE(dialogs.previews, 2);
        QVERIFY(!test::PdfPageTexts(dialogs.pdf).isEmpty());
        // A PDF file is offered under the catalogue's name, in the documents folder at first (home without one).
        const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        QCOMPARE(dialogs.offeredFile, QDir(QDir(documents).exists() ? documents : QDir::homePath()).filePath(QStringLiteral("films.pdf")));
        // Then in the folder last chosen.
        QVERIFY(QDir(cli->folder()).mkpath(QStringLiteral("out")));
        dialogs.pdf = path("out/chosen.pdf");
        main->menus().action("miPrintList")->trigger();
        QTRY_VERIFY(!list->isBusy());
        main->menus().action("miPrintList")->trigger();
        QTRY_VERIFY(!list->isBusy());
        QCOMPARE(dialogs.offeredFile, path("out/films.pdf"));
    }

    void thePageLabelAndMovesFollowTheShownPage()
    {
        dialogs.print = false;
        int pages = 0;
        QString atLast, atFirst, byKey;
        bool endsDisabled = false, startsDisabled = false;
        dialogs.pick = [&](TfmPrintPreview& preview) {
            preview.show();
            QVERIFY(QTest::qWaitForWindowExposed(&preview));
            QTRY_VERIFY(!preview.isDrawing());
            pages = preview.pageCount();
            QTest::mouseClick(button(preview, "acLastPage"), Qt::LeftButton);
            atLast = pageLabel(preview);
            endsDisabled = !button(preview, "acNextPage")->isEnabled() && !button(preview, "acLastPage")->isEnabled()
                && button(preview, "acFirstPage")->isEnabled() && button(preview, "acPreviousPage")->isEnabled();
            QTest::mouseClick(button(preview, "acFirstPage"), Qt::LeftButton);
            atFirst = pageLabel(preview);
            // The page keys do the same.
            if (QTest::qWaitForWindowActive(&preview) && QApplication::focusWidget()) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_End);
                byKey = pageLabel(preview);
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Home);
            }
            startsDisabled = !button(preview, "acFirstPage")->isEnabled() && !button(preview, "acPreviousPage")->isEnabled()
                && button(preview, "acNextPage")->isEnabled();
            preview.hide();
        };
        main->menus().action("miPrintList")->trigger();
        QTRY_VERIFY(!list->isBusy());
        QCOMPARE(pages, 2);
        QCOMPARE(atLast, QStringLiteral("Страница %1 из %1").arg(pages));
        QVERIFY(endsDisabled);
        QCOMPARE(atFirst, QStringLiteral("Страница 1 из %1").arg(pages));
        QCOMPARE(byKey, atLast);
        QVERIFY(startsDisabled);
    }

    void anUnreadableLayoutLeavesNoOldPagesOnScreen()
    {
        test::WriteTestFile(path("Broken.cvr"), "not a layout");
        selectTitle(QStringLiteral("Фильм 002"), QItemSelectionModel::ClearAndSelect);
        dialogs.print = false;
        int before = -1, after = -1;
        bool pagesShown = true;
        dialogs.pick = [&](TfmPrintPreview& preview) {
            preview.show();
            QVERIFY(QTest::qWaitForWindowExposed(&preview));
            QTRY_VERIFY(!preview.isDrawing());
            before = preview.pageCount();
            auto* layouts = preview.findChild<QComboBox*>(QStringLiteral("cbCoverLayout"));
            layouts->setFocus();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up); // Broken.cvr sorts before DefCover.cvr
            QCOMPARE(layouts->currentText(), QStringLiteral("Broken.cvr"));
            QTRY_VERIFY(!preview.isDrawing());
            after = preview.pageCount();
            pagesShown = preview.view()->isVisible();
            preview.hide();
        };
        main->menus().action("miPrintCover")->trigger();
        QTRY_VERIFY(!list->isBusy());
        QCOMPARE(before, 1);
        QCOMPARE(after, 0);
        QVERIFY(!pagesShown);
        QVERIFY2(dialogs.notice.contains(QStringLiteral("Broken.cvr")), qPrintable(dialogs.notice));
    }
    void filterWindowsStepAsideWhileThePreviewIsOpen()
    {
        main->menus().filterActions().front()->trigger();
        TfmFilter* filter = list->filterForms().form(1);
        QVERIFY(filter && filter->isVisible());
        dialogs.print = false;
        bool shownOverPreview = true;
        dialogs.pick = [&](TfmPrintPreview& preview) {
            // As the system's preview runs: modal, until the person closes it.
            QTimer::singleShot(0, &preview, [&] {
                shownOverPreview = !QTest::qWaitFor([&] { return !filter->isVisible(); }, 2000);
                preview.reject();
            });
            SystemPrintDialogs().preview(preview);
        };
        main->menus().action("miPrintList")->trigger();
        QTRY_VERIFY(!list->isBusy());
        QVERIFY(!shownOverPreview);
        QTRY_VERIFY(filter->isVisible());
    }

    void thePageTurnsOnlyWhereTheCoverFitsAndThePreviewButtonsShowTheWay()
    {
        selectTitle(QStringLiteral("Фильм 002"), QItemSelectionModel::ClearAndSelect);
        dialogs.print = false;
        // Fitting neither way, the page stays as it was.
        SaveLayout(path("Huge.cvr"), 3, QStringLiteral("%Name%"), 400);
        main->shell().options().CoverFile = QStringLiteral("Huge.cvr");
        main->menus().action("miPrintCover")->trigger();
        QTRY_VERIFY(!list->isBusy());
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
        QTRY_VERIFY(!list->isBusy());
        QCOMPARE(shown, test::u({"acLandscape", "acPortrait"}));
        QCOMPARE(dialogs.orientation, QPageLayout::Portrait);
        QCOMPARE(dialogs.notice, main->shell().text("Printing", "TurnPage"));
    }

    void aPageTurnedInThePrintDialogIsDrawnAgainForIt()
    {
        dialogs.choose = [](QPrinter& printer) { return printer.setPageOrientation(QPageLayout::Landscape); };
        main->menus().action("miPrintList")->trigger();
        QTRY_VERIFY(!list->isBusy());
        QVERIFY(cli->run({"print-list", "films.kdx", "--pdf", "tool.pdf", "--landscape"}).status == 0);
        const QStringList tool = test::PdfPageTexts(path("tool.pdf"));
        QVERIFY(tool.size() != dialogs.previewPages);
        QCOMPARE(test::PdfPageTexts(dialogs.pdf), tool);
    }
};

QTEST_MAIN(PrintTest)
#include "PrintTest.moc"
