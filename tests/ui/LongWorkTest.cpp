// Long work of a list window on its worker: a save of a big catalogue leaves the program
// answering while the window refuses edits, a failed one keeps the window modified, a
// close waits for a save under way, and the preview's drawing stops on Cancel.
#include "ListController.h"
#include "MainMenu.h"
#include "TfmPrintPreview.h"
#include "TzkPrinter.h"
#include "UiTestSupport.h"

#include <QAction>
#include <QDir>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>

using namespace reelkeep;
using namespace reelkeep::testing;

namespace {

// Enough records that writing them takes many turns of the event loop.
constexpr int kRecords = 40000;

void AddFilms(TestCatalogue& catalogue)
{
    catalogue.sheet("Фильмы");
    for (int i = 0; i < kRecords; ++i)
        catalogue.record({{0, "1"}, {1, "Фильм"}, {11, "1999"}})->Fields[0] = QString::number(i);
}

} // namespace

class LongWorkTest : public QObject, MainWindowFixture {
    Q_OBJECT

private:
    // The big catalogue in films.kdx, and in expected.kdx as the window is to save it
    // after its first title was changed.
    void writeBigCatalogue()
    {
        TestCatalogue catalogue;
        AddFilms(catalogue);
        catalogue.doc.SaveToFile(path());
        catalogue.doc.List(0)->Row(0)->Fields[1] = QStringLiteral("Изменён");
        catalogue.doc.SaveToFile(cli->path("expected.kdx"));
    }
    void changeFirstTitle()
    {
        list->controller().setCell(list->controller().currentList()->Row(0), 1, QStringLiteral("Изменён"));
        QVERIFY(list->controller().isModified());
    }

private slots:
    void init()
    {
        newProgramFolder();
        startMainWindow();
        QVERIFY(showMainWindow({900, 600}));
    }
    void cleanup() { closeMainWindow(); }

    void aBigSaveLeavesTheProgramAnsweringWhileTheWindowRefusesEdits()
    {
        writeBigCatalogue();
        QVERIFY((list = openLoaded(path())));
        changeFirstTitle();

        int turnsWhileSaving = 0;
        QTimer probe;
        connect(&probe, &QTimer::timeout, this, [&] { turnsWhileSaving += list->isBusy() ? 1 : 0; });
        probe.start(1);
        main->menus().action("miSave")->trigger();
        // Under way: the window is locked, and an edit through the menu does nothing.
        QVERIFY(list->isBusy());
        QVERIFY(!list->widget()->isEnabled());
        main->menus().action("miAddRow")->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(!list->isBusy(), 60000);
        QVERIFY(turnsWhileSaving > 0);
        QVERIFY(list->widget()->isEnabled());
        QVERIFY(!list->controller().isModified());
        QCOMPARE(list->controller().currentList()->RowCount(), kRecords);
        QVERIFY2(prompts->asked.empty(), qPrintable(prompts->texts()));
        QCOMPARE(dump(path()), dump(cli->path("expected.kdx")));
    }

    void aSaveThatFailsKeepsTheWindowModifiedAndSaysWhy()
    {
        WriteSampleCatalogue(path());
        QVERIFY((list = openLoaded(path())));
        changeFirstTitle();
        // Save As into a folder that is not there.
        QVERIFY(list->controller().saveAs(cli->path("missing/films.kdx")));
        QTRY_VERIFY(!list->isBusy());
        QVERIFY(list->controller().isModified());
        QCOMPARE(list->controller().path(), path());
        QCOMPARE(prompts->asked.size(), size_t(1));
        QVERIFY2(prompts->asked[0].text.contains(QStringLiteral("missing")), qPrintable(prompts->texts()));
    }

    void closingDuringASaveWaitsForTheWholeFile()
    {
        writeBigCatalogue();
        QVERIFY((list = openLoaded(path())));
        changeFirstTitle();
        main->menus().action("miSave")->trigger();
        QVERIFY(list->isBusy());
        // Quitting closes every window; this one waits for its file, then has nothing to ask.
        QVERIFY(main->close());
        QVERIFY2(prompts->asked.empty(), qPrintable(prompts->texts()));
        QCOMPARE(dump(path()), dump(cli->path("expected.kdx")));
    }

    void closingAModifiedWindowWithYesSavesBeforeItGoes()
    {
        writeBigCatalogue();
        QVERIFY((list = openLoaded(path())));
        changeFirstTitle();
        prompts->answers = {PromptButton::Yes};
        QVERIFY(list->close());
        QCOMPARE(prompts->asked.size(), size_t(1));
        QCOMPARE(dump(path()), dump(cli->path("expected.kdx")));
    }

    void cancelStopsThePreviewsDrawingAndShowsThePagesDrawnSoFar()
    {
        QPrinter printer(QPrinter::HighResolution);
        PreparePdfPrinter(printer, cli->path("never.pdf"));
        TfmPrintPreview preview(printer, main->shell(), main.get());
        // Pages without end: only Cancel stops them.
        preview.setDrawing([](TzkPrinter& out) {
            out.BeginDoc();
            for (int page = 1;; ++page) {
                out.PageCanvas.drawText(100, 100, QString::number(page));
                out.EndPage();
                out.NewPage();
            }
        });
        preview.setProgressAfter(0);
        // Shown, it draws.
        preview.show();
        QVERIFY(preview.isDrawing());
        QVERIFY(QTest::qWaitForWindowExposed(&preview));
        QProgressDialog* progress = nullptr;
        QTRY_VERIFY((progress = preview.findChild<QProgressDialog*>()) && progress->isVisible());
        QTRY_VERIFY(progress->labelText().contains(QRegularExpression(QStringLiteral("\\d"))));
        QVERIFY(QTest::qWaitForWindowExposed(progress));
        QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
        QTRY_VERIFY(!preview.isDrawing());
        QCOMPARE(preview.notice(), main->shell().text("Printing", "Cancelled"));
        QVERIFY(preview.pageCount() > 0);
        QVERIFY(!preview.recordedPages());
        QVERIFY(!preview.findChild<QAction*>(QStringLiteral("acPrint"))->isEnabled());
        QVERIFY(!QFile::exists(cli->path("never.pdf")));
    }
};

QTEST_MAIN(LongWorkTest)
#include "LongWorkTest.moc"
