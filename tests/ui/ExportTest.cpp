// Export from the main window through the shipped plug-ins: the dialog's filters,
// the chosen plug-in's file equal to reelkeep-cli's, the overwrite question, the
// status, and a plug-in that breaks after the start.
#include "CloseAfterWork.h"
#include "ExportCommand.h"
#include "MainMenu.h"
#include "UiTestSupport.h"
#include "WindowWork.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QProgressDialog>
#include <QPushButton>
#include <QThreadPool>

using namespace reelkeep;
using namespace reelkeep::testing;

class ExportTest : public QObject, MainWindowFixture {
    Q_OBJECT

private:

    void start(bool withPlugins)
    {
        if (withPlugins) {
            QVERIFY(QDir(cli->folder()).mkpath(QStringLiteral("Plugins")));
            for (const char* name : {"CsvExport.kdp", "HtmlExport.kdp"})
                QVERIFY(QFile::copy(QStringLiteral(SHIPPED_KDP_DIR "/") + QString::fromLatin1(name),
                                    cli->path("Plugins/") + QString::fromLatin1(name)));
        }
        startMainWindow();
        // The window is there before the plug-ins have answered (unless a slow start gave
        // them the time); Export follows them.
        if (main->pluginProbe().isRunning())
            QVERIFY(main->shell().plugins().Plugins.empty());
        WriteSampleCatalogue(cli->path("films.kdx"));
        QVERIFY((list = openLoaded(cli->path("films.kdx"))));
        QVERIFY(waitForPluginProbe());
        QCOMPARE(main->shell().plugins().Plugins.empty(), !withPlugins);
    }
    QString status() const
    {
        const QList<QLabel*> labels = list->findChildren<QLabel*>();
        return labels.isEmpty() ? QString() : labels.back()->text();
    }

    // The target and, once the plug-in has begun, its half-written temporary beside it.
    QStringList written() const
    {
        return QDir(cli->folder()).entryList({QStringLiteral("out.o_hang_export*")}, QDir::Files | QDir::Hidden);
    }
    bool begun() const
    {
        const QStringList files = written();
        return files.size() == 2 && test::ReadTestFile(cli->path(files.back().toUtf8().constData())) == "half";
    }
    // A catalogue open with a plug-in that never ends its export, started into out.o_hang_export (which holds "old").
    void startHangingExport()
    {
        QVERIFY(QDir(cli->folder()).mkpath(QStringLiteral("Plugins")));
        QFile::copy(QStringLiteral(TEST_KDP_DIR "/o_hang_export.kdp"), cli->path("Plugins/o_hang_export.kdp"));
        if (!main) {
            startMainWindow();
            QVERIFY(showMainWindow({900, 600}));
        }
        WriteSampleCatalogue(cli->path("films.kdx"));
        QVERIFY((list = openLoaded(cli->path("films.kdx"))));
        QVERIFY(waitForPluginProbe());
        QCOMPARE(main->shell().plugins().Plugins.size(), std::size_t(1));
        test::WriteTestFile(cli->path("out.o_hang_export"), "old");
        prompts->files = {{cli->path("out.o_hang_export"), 0}};
        main->menus().action("miExport")->trigger();
        QVERIFY(list->isBusy());
        QTRY_VERIFY(begun());
        // Qt's painting waits on its global pool: the export keeps out of it (Qt's own short
        // pieces of painting may still be passing through).
        QTRY_COMPARE(QThreadPool::globalInstance()->activeThreadCount(), 0);
    }
    // The window's work shown in its progress window.
    bool progressShown() const
    {
        const QProgressDialog* progress = main->findChild<QProgressDialog*>(QStringLiteral("fmWorkProgress"));
        return progress && progress->isVisible();
    }

    // Export through the menu; the plug-in runs on a worker thread, so the test waits for it.
    void exportNow()
    {
        main->menus().action("miExport")->trigger();
        QTRY_VERIFY(!main->activeList()->isBusy());
    }

private slots:
    void init() { newProgramFolder(); }
    void cleanup() { closeMainWindow(); }

    void exportsThroughTheChosenPluginAsTheToolDoes()
    {
        start(true);
        QVERIFY(main->menus().action("miExport")->isEnabled());
        const QString ours = cli->path("ours"), tools = cli->path("tools.html");
        const QString written = ours + QStringLiteral(".html"); // the chosen filter's extension
        // The text form has no nesting: the person is asked first, and Cancel writes nothing.
        prompts->files = {{ours, 1}};
        prompts->answers = {PromptButton::Cancel};
        exportNow();
        QCOMPARE(prompts->lastFilters, test::u({"CSV table (*.csv)", "HTML page (*.html)"}));
        QCOMPARE(prompts->asked.size(), size_t(1));
        QCOMPARE(prompts->asked.front().caption, QStringLiteral("Сохранение с потерями"));
        QVERIFY(!QFile::exists(written));
        prompts->files = {{ours, 1}};
        exportNow();
        QCOMPARE(prompts->asked.size(), size_t(2));
        // The window shows the first sheet sorted by title, and exports it so.
        QCOMPARE(cli->run({"sort", cli->path("films.kdx"), "--list", "1", "--column", "1", "--out", cli->path("sorted.kdx")}).status, 0);
        const CliRun tool = cli->run({"export", cli->path("sorted.kdx"), tools, "--plugin", "2"});
        QCOMPARE(tool.status, 0);
        QVERIFY(!test::ReadTestFile(tools).isEmpty());
        QCOMPARE(test::ReadTestFile(written), test::ReadTestFile(tools));
        QCOMPARE(status(), QStringLiteral("Готово"));

        // An existing file: Cancel leaves it, OK replaces it.
        test::WriteTestFile(written, "old");
        prompts->files = {{written, 1}};
        prompts->answers = {PromptButton::Cancel};
        exportNow();
        QCOMPARE(prompts->asked.back().text, QStringLiteral("Файл уже существует. Перезаписать?"));
        QCOMPARE(test::ReadTestFile(written), QByteArray("old"));
        prompts->files = {{written, 1}};
        exportNow();
        QCOMPARE(test::ReadTestFile(written), test::ReadTestFile(tools));

        // A plug-in broken after the start is told in a box, and nothing is written.
        const QString library = main->shell().plugins().GetPlugin(1, 1).LibraryPath;
        test::WriteTestFile(library, "not a library");
        prompts->asked.clear();
        prompts->files = {{cli->path("out.csv"), 0}};
        exportNow();
        QCOMPARE(prompts->asked.size(), size_t(2)); // the losses of the text form, then the failure
        QCOMPARE(prompts->asked.back().icon, PromptIcon::Error);
        QVERIFY2(prompts->asked.back().text.contains(QFileInfo(library).fileName()), qPrintable(prompts->texts()));
        QVERIFY(!QFile::exists(cli->path("out.csv")));
        QCOMPARE(status(), QStringLiteral("Готово"));
    }

    void cancelEndsAPluginThatNeverFinishesAndLeavesTheTargetAsItWas()
    {
        QVERIFY(QDir(cli->folder()).mkpath(QStringLiteral("Plugins")));
        QVERIFY(QFile::copy(QStringLiteral(TEST_KDP_DIR "/o_hang_export.kdp"), cli->path("Plugins/o_hang_export.kdp")));
        startMainWindow();
        WriteSampleCatalogue(cli->path("films.kdx"));
        QVERIFY((list = openLoaded(cli->path("films.kdx"))));
        QVERIFY(waitForPluginProbe());
        QCOMPARE(main->shell().plugins().Plugins.size(), std::size_t(1));
        const QString target = cli->path("out.o_hang_export");
        test::WriteTestFile(target, "old");
        prompts->files = {{target, 0}};
        list->work().setProgressAfter(0);
        main->menus().action("miExport")->trigger();
        QVERIFY(list->isBusy());
        QTRY_VERIFY(begun());
        QProgressDialog* progress = nullptr;
        QTRY_VERIFY((progress = main->findChild<QProgressDialog*>(QStringLiteral("fmWorkProgress"))) && progress->isVisible());
        QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!list->isBusy(), 5000);
        QCOMPARE(test::ReadTestFile(target), QByteArray("old"));
        QCOMPARE(written(), QStringList{QStringLiteral("out.o_hang_export")});
        QVERIFY2(std::none_of(prompts->asked.begin(), prompts->asked.end(), [](const Prompt& p) { return p.icon == PromptIcon::Error; }),
                 qPrintable(prompts->texts()));
        QCOMPARE(status(), QStringLiteral("Готово"));
    }

    void closingTheWindowOrQuittingDuringAnExportStopsItInSightOfItsProgress()
    {
        startHangingExport();
        // The close returns at once: the export is stopped, its progress is up meanwhile,
        // and the window goes once the plug-in's process has ended.
        QPointer<TfmList> closing = list;
        QVERIFY(!list->close());
        QVERIFY(closing && list->closeAfterWork().isPending());
        QVERIFY(progressShown());
        QTRY_VERIFY_WITH_TIMEOUT(!closing, 5000);
        QVERIFY(!progressShown());
        QCOMPARE(test::ReadTestFile(cli->path("out.o_hang_export")), QByteArray("old"));
        QCOMPARE(written(), QStringList{QStringLiteral("out.o_hang_export")});

        // Quitting the same: the program ends once the export has stopped.
        startHangingExport();
        QVERIFY(!main->close());
        QVERIFY(main->isVisible());
        QVERIFY(progressShown());
        QTRY_VERIFY_WITH_TIMEOUT(!main->isVisible(), 5000);
        QCOMPARE(test::ReadTestFile(cli->path("out.o_hang_export")), QByteArray("old"));
        QVERIFY2(std::none_of(prompts->asked.begin(), prompts->asked.end(), [](const Prompt& p) { return p.icon == PromptIcon::Error; }),
                 qPrintable(prompts->texts()));
    }

    void withoutPluginsExportIsDisabled()
    {
        start(false);
        QVERIFY(!main->menus().action("miExport")->isEnabled());
        QVERIFY(main->menus().action("miSave")->isEnabled());
    }
};

QTEST_MAIN(ExportTest)
#include "ExportTest.moc"
