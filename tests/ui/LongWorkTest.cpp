// Long work of a list window on its worker: a save of a big catalogue leaves the program
// answering while the window refuses edits, a failed one keeps the window modified, a
// close during a save shows its progress and closes once it ends, and the preview's
// drawing stops on Cancel.
#include "CatalogueSafety.h"
#include "ListController.h"
#include "LongWorkPool.h"
#include "RecoveryJournal.h"
#include "MainMenu.h"
#include "RecordSelection.h"
#include "TfmPrintPreview.h"
#include "TzkBtnEdit.h"
#include "TzkPrinter.h"
#include "TzkRecordPanel.h"
#include "WindowWork.h"
#include "UiTestSupport.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QSemaphore>
#include <QTimer>

using namespace reelkeep;
using namespace reelkeep::testing;

namespace {

// Enough records that writing them takes many turns of the event loop (the sanitized
// program writes about ten times slower, so fewer do there).
#ifdef REELKEEP_SANITIZED
constexpr int kRecords = 5000;
#else
constexpr int kRecords = 40000;
#endif

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
        // The first record is shown and its title's field has the focus, as a person clicked there before saving.
        list->selection().focusRecord(list->controller().currentList()->Row(0));
        QLineEdit* title = list->recordPanel()->edit(csTitle)->edit();
        title->setFocus();
        QCOMPARE(title->text(), QStringLiteral("Изменён"));
        list->work().setProgressAfter(0);
        main->menus().action("miSave")->trigger();
        // Under way: the window is locked but not greyed before its progress comes, and
        // neither keys typed into the field nor an edit through the menu change anything.
        QVERIFY(list->isBusy());
        QVERIFY(list->widget()->isEnabled());
        QCOMPARE(QApplication::focusWidget(), title);
        QTest::keyClicks(title, QStringLiteral("abc"));
        QTest::keyClick(title, Qt::Key_Backspace);
        main->menus().action("miAddRow")->trigger();
        QCOMPARE(title->text(), QStringLiteral("Изменён"));
        QTRY_VERIFY_WITH_TIMEOUT(!list->isBusy(), 60000);
        QVERIFY(turnsWhileSaving > 0);
        QVERIFY(list->widget()->isEnabled());
        QVERIFY(!list->controller().isModified());
        QCOMPARE(list->controller().currentList()->RowCount(), kRecords);
        QVERIFY2(prompts->asked.empty(), qPrintable(prompts->texts()));
        QCOMPARE(dump(path()), dump(cli->path("expected.kdx")));
        // Saved, the field has the focus again, though its progress greyed the window and
        // was the active window meanwhile, and takes keys.
        main->activateWindow();
        QTRY_COMPARE(QApplication::focusWidget(), title);
        QTest::keyClicks(title, QStringLiteral("!"));
        QVERIFY(title->text().contains(QLatin1Char('!')));
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

    // The save's progress window, shown over the list window.
    QProgressDialog* saveProgress() const
    {
        QProgressDialog* progress = main->findChild<QProgressDialog*>(QStringLiteral("fmWorkProgress"));
        return progress && progress->isVisible() ? progress : nullptr;
    }

    void quittingDuringASaveShowsItsProgressAndQuitsWhenTheFileIsWhole()
    {
        writeBigCatalogue();
        QVERIFY((list = openLoaded(path())));
        changeFirstTitle();
        main->menus().action("miSave")->trigger();
        QVERIFY(list->isBusy());
        QVERIFY(!saveProgress());
        // Quitting asks every window to close; this one shows its save at once and goes when it ends.
        QPointer<TfmList> saving = list;
        QVERIFY(!main->close());
        QVERIFY(saveProgress());
        QVERIFY(saving);
        QTRY_VERIFY_WITH_TIMEOUT(!main->isVisible(), 60000);
        QVERIFY(!saving || !saving->isVisible());
        QVERIFY2(prompts->asked.empty(), qPrintable(prompts->texts()));
        QCOMPARE(dump(path()), dump(cli->path("expected.kdx")));
    }

    void closingAModifiedWindowWithYesShowsTheSaveAndGoesOnlyWhenSaved()
    {
        writeBigCatalogue();
        QVERIFY((list = openLoaded(path())));
        changeFirstTitle();
        prompts->answers = {PromptButton::Yes};
        QPointer<TfmList> closing = list;
        QVERIFY(!list->close());
        QVERIFY(saveProgress());
        QTRY_VERIFY_WITH_TIMEOUT(!closing, 60000);
        QCOMPARE(prompts->asked.size(), size_t(1));
        QCOMPARE(dump(path()), dump(cli->path("expected.kdx")));
    }

    void aQuitThatAnotherWindowRefusesStaysRefusedAfterTheSave()
    {
        writeBigCatalogue();
        QVERIFY((list = openLoaded(path())));
        changeFirstTitle();
        QPointer<TfmList> saving = list;
        WriteSampleCatalogue(cli->path("other.kdx"));
        TfmList* other = openLoaded(cli->path("other.kdx"));
        QVERIFY(other);
        other->controller().setCell(other->controller().currentList()->Row(0), 1, QStringLiteral("Другой"));
        saving->controller().save();
        QVERIFY(saving->isBusy());
        prompts->answers = {PromptButton::Cancel};
        QVERIFY(!main->close());
        QTRY_VERIFY_WITH_TIMEOUT(!saving, 60000);
        QTest::qWait(50);
        QVERIFY(main->isVisible());
        QVERIFY(other->isVisible());
        QCOMPARE(prompts->asked.size(), size_t(1));
    }

    void aChangeWhileTheRecoveryCopyIsTakenIsInTheRecoveryFile()
    {
        // Only this catalogue's recovery file is looked at: none left by the windows of the tests before.
        for (const QString& left : QDir(RecoveryJournal::DefaultFolder()).entryList({QStringLiteral("*.xkdx")}))
            QFile::remove(RecoveryJournal::DefaultFolder() + QLatin1Char('/') + left);
        writeBigCatalogue();
        QVERIFY((list = openLoaded(path())));
        CatalogueSafety& safety = list->controller().safety();
        QSignalSpy written(&safety, &CatalogueSafety::journalWritten);
        changeFirstTitle();
        // The moment the copy of the records has begun, the first record changes again.
        QTimer watch;
        connect(&watch, &QTimer::timeout, this, [&] {
            if (!safety.isCopying())
                return;
            watch.stop();
            list->controller().setCell(list->controller().currentList()->Row(0), 1, QStringLiteral("Снова"));
        });
        watch.start(0);
        QVERIFY(written.wait(15000));
        QVERIFY(!watch.isActive());
        const QStringList journals = QDir(RecoveryJournal::DefaultFolder()).entryList({QStringLiteral("*.xkdx")});
        QCOMPARE(journals.size(), 1);
        const QStringList titles = CliTitles(dump(RecoveryJournal::DefaultFolder() + QLatin1Char('/') + journals[0]));
        QVERIFY(titles.contains(QStringLiteral("Снова")));
        QVERIFY(!titles.contains(QStringLiteral("Изменён")));
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
        // Some pages drawn before Cancel, so that there are pages to show after it.
        QTRY_VERIFY(progress->labelText().contains(QRegularExpression(QStringLiteral("[1-9]"))));
        QVERIFY(QTest::qWaitForWindowExposed(progress));
        QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
        QTRY_VERIFY(!preview.isDrawing());
        QCOMPARE(preview.notice(), main->shell().text("Printing", "Cancelled"));
        QVERIFY(preview.pageCount() > 0);
        QVERIFY(!preview.recordedPages());
        QVERIFY(!preview.findChild<QAction*>(QStringLiteral("acPrint"))->isEnabled());
        QVERIFY(!QFile::exists(cli->path("never.pdf")));
    }

    void aCancelBeforeTheFirstPageLeavesNothingToPrint()
    {
        // Every thread of the long work busy, so the drawing cannot begin before Cancel.
        QSemaphore release;
        const int busy = LongWorkPool().maxThreadCount();
        for (int k = 0; k < busy; ++k)
            LongWorkPool().start([&release] { release.acquire(); });
        QPrinter printer(QPrinter::HighResolution);
        PreparePdfPrinter(printer, cli->path("never.pdf"));
        TfmPrintPreview preview(printer, main->shell(), main.get());
        preview.setDrawing([](TzkPrinter& out) {
            out.BeginDoc();
            out.PageCanvas.drawText(100, 100, QStringLiteral("1"));
            out.EndPage();
            out.EndDoc();
        });
        preview.setProgressAfter(0);
        preview.show();
        QVERIFY(preview.isDrawing());
        QProgressDialog* progress = nullptr;
        QTRY_VERIFY((progress = preview.findChild<QProgressDialog*>()) && progress->isVisible());
        QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
        release.release(busy);
        QTRY_VERIFY(!preview.isDrawing());
        QCOMPARE(preview.notice(), main->shell().text("Printing", "Cancelled"));
        QVERIFY(!preview.recordedPages());
        QVERIFY(!preview.findChild<QAction*>(QStringLiteral("acPrint"))->isEnabled());
        LongWorkPool().waitForDone();
    }
};

QTEST_MAIN(LongWorkTest)
#include "LongWorkTest.moc"
