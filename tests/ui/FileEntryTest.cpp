// Records from video files and folders in the window: Add from file and Add from
// folder against reelkeep-cli add on the same files, a walk that locks only its own
// window and stops at Cancel or a close, and Fill from file and Append file against
// the core's record entry.
#include "CloseAfterWork.h"
#include "FileEntryCommands.h"
#include "FileNameSeparators.h"
#include "GridModel.h"
#include "MainMenu.h"
#include "TestVideos.h"
#include "TzkBtnEdit.h"
#include "TzkRecordEntry.h"
#include "TzkRecordPanel.h"
#include "UiTestSupport.h"
#include "WindowWork.h"

#include <QAction>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenuBar>
#include <QPointer>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <sys/stat.h>

using namespace reelkeep;
using namespace reelkeep::testing;
using reelkeep::test::TestVideos;

class FileEntryTest : public QObject, MainWindowFixture {
    Q_OBJECT

private:
    TestVideos& videos = TestVideos::Get();

    QString video(const QString& name, const QString& source) const { return videos.copy(source, cli->path("videos") + QLatin1Char('/') + name); }
    int rowCount() const { return list->controller().currentList()->RowCount(); }
    // Runs the command and waits until the entry it started has ended and was reported.
    void entered(const std::function<void()>& command)
    {
        QSignalSpy finished(&list->files(), &FileEntryCommands::entryFinished);
        command();
        QVERIFY(finished.wait(60000));
    }
    // Runs a zero-interval timer while the window walks dir: it gets the progress window,
    // which comes up at once.
    void walkWithTimer(const QString& dir, const std::function<void(QProgressDialog*)>& tick)
    {
        QTimer timer;
        connect(&timer, &QTimer::timeout, this, [this, &tick] {
            if (auto* dialog = main->findChild<QProgressDialog*>(QStringLiteral("fmWorkProgress")))
                tick(dialog);
        });
        timer.start(0);
        prompts->files = {{dir, 0}};
        list->work().setProgressAfter(0);
        main->menus().action("miAddFromDir")->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(!list || !list->isBusy(), 60000);
    }
    // The window's work shown in its progress window.
    bool progressShown() const
    {
        const QProgressDialog* progress = main->findChild<QProgressDialog*>(QStringLiteral("fmWorkProgress"));
        return progress && progress->isVisible();
    }
    // The records the last entry added, as its status says.
    int addedByStatus() const { return list->controller().statusTexts().back().section(QLatin1Char(' '), -1).toInt(); }
    bool interfaceEnabled() const
    {
        return list->widget()->isEnabled() && list->grid()->isEnabled() && main->menuBar()->isEnabled();
    }

private slots:
    void init() { QVERIFY((list = openSampleInShownWindow("films.kdx"))); }
    void cleanup() { closeMainWindow(); }

    void filesAndFoldersGiveTheRecordsOfTheCommandLineTool()
    {
        const QString dir = cli->path("videos");
        const QString alpha = video(QStringLiteral("Alpha.avi"), videos.clip2s());
        const QString cd1 = video(QStringLiteral("Film.cd1.avi"), videos.clip2s());
        const QString cd2 = video(QStringLiteral("Film.cd2.avi"), videos.clip3s());
        video(QStringLiteral("sub/Beta.mp4"), videos.full());
        const QString notes = dir + QStringLiteral("/notes.avi");
        const QString empty = dir + QStringLiteral("/empty.avi");
        const QString gone = dir + QStringLiteral("/gone.avi");
        const QString pipe = dir + QStringLiteral("/pipe.avi");
        const QString missing = dir + QStringLiteral("/missing.avi");
        test::WriteTestFile(notes, "not a video\n");
        test::WriteTestFile(empty, {});
        QVERIFY(QFile::link(dir + QStringLiteral("/nowhere"), gone));
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        const QString oracle = cli->path("oracle.kdx");
        QVERIFY(QFile::copy(path(), oracle));
        QSignalSpy resets(list->controller().model(), &QAbstractItemModel::modelReset);

        // Parts chosen together make one record; a file without a length is named in a box.
        prompts->fileLists = {{cd1, notes, cd2}};
        entered([this] { list->findChild<QToolButton*>(QStringLiteral("btnAddFromFile"))->click(); });
        QCOMPARE(prompts->lastFilters.front(), QStringLiteral("All video files (*.avi *.ogm *.mpg *.mpe *.mpeg *.vob *.mov *.asf *.wmv *.ram *.rm *.mp4 *.mkv *.ifo *.ts *rmvb *.flv)"));
        QCOMPARE(prompts->asked.size(), size_t(1));
        QVERIFY(prompts->asked.back().text.contains(notes));
        QCOMPARE(list->currentRecord()->Fields[csTitle], QStringLiteral("notes"));
        QVERIFY(list->controller().isModified());
        QVERIFY(interfaceEnabled());
        QCOMPARE(cli->run({"add", oracle, cd1, notes, cd2}).status, 0);

        // The walk lists what it skipped and the files without a length in one message
        // at the end, and shows its records in one reset of the grid.
        resets.clear();
        prompts->asked.clear();
        main->menus().action("miAddFromDir")->trigger();
        QVERIFY(prompts->asked.empty());
        QCOMPARE(prompts->lastCaption, QStringLiteral("Выберите папку"));
        prompts->files = {{dir, 0}};
        entered([this] { main->menus().action("miAddFromDir")->trigger(); });
        QCOMPARE(prompts->lastFolder, dir + QLatin1Char('/')); // the folder of the files added last
        QCOMPARE(resets.size(), 1);
        QCOMPARE(prompts->asked.size(), size_t(1));
        const Prompt& report = prompts->asked.front();
        QCOMPARE(report.caption, QStringLiteral("Добавление из папки"));
        QVERIFY2(report.text.startsWith(QStringLiteral("Не добавлено (2):\n")), qPrintable(report.text));
        // The reasons are the interface's language too.
        QVERIFY(report.text.contains(gone + QStringLiteral(": ссылка никуда не ведёт: нет такого файла или папки")));
        QVERIFY(report.text.contains(pipe + QStringLiteral(": не обычный файл")));
        QVERIFY(report.text.endsWith(QStringLiteral("записи добавлены с продолжительностью 0 (2):\n") + empty + QLatin1Char('\n') + notes));
        QCOMPARE(list->controller().statusTexts().back(), QStringLiteral("Добавлено записей: 5"));
        QVERIFY(interfaceEnabled());
        QCOMPARE(cli->run({"add", oracle, dir}).status, 0);

        const QJsonObject window = saveAndDump(list, path());
        const QJsonObject tool = dump(oracle);
        // The records added are the tool's (the window shows the catalogue sorted, so
        // the five it had come in another order).
        const auto added = [](const QJsonObject& dump) {
            QJsonArray rows = dump[QStringLiteral("lists")].toArray()[0][QStringLiteral("rows")].toArray();
            for (int i = 0; i < 5; ++i)
                rows.removeFirst();
            return rows;
        };
        QCOMPARE(added(window).size(), 2 + 5);
        QCOMPARE(added(window), added(tool));
        QCOMPARE(ModelTitles(*list->grid()->model()).mid(7), CliTitles(tool).mid(7));
        QCOMPARE(list->currentRecord()->Fields[csTitle], QStringLiteral("notes"));

        // Files chosen one by one stop at the first that cannot be read (here one gone
        // since it was chosen), with its error; the records before it stay.
        prompts->asked.clear();
        prompts->fileLists = {{alpha, missing, cd2}};
        entered([this] { list->findChild<QToolButton*>(QStringLiteral("btnAddFromFile"))->click(); });
        QCOMPARE(prompts->asked.size(), size_t(1));
        QCOMPARE(prompts->asked.front().icon, PromptIcon::Error);
        QVERIFY(prompts->asked.front().text.contains(missing));
        QCOMPARE(rowCount(), 5 + 2 + 5 + 2);
        QCOMPARE(list->controller().currentList()->Row(rowCount() - 2)->Fields[csTitle], QStringLiteral("Alpha"));
    }

    void aWalkLocksOnlyItsWindowAndStopsAtCancelOrACloseKeepingItsRecords()
    {
        constexpr int kClips = 300;
        for (int i = 0; i < kClips; ++i)
            video(QStringLiteral("clip%1.avi").arg(i, 3, 10, QLatin1Char('0')), videos.clip2s());
        const QString dir = cli->path("videos");
        const int before = rowCount();
        TfmList* other = openSample("other.kdx");
        QVERIFY(other);
        main->mdiArea()->setActiveSubWindow(list);

        // Esc once a file is done: the records of the files done stay, the rest are not
        // entered. Meanwhile only this window is locked, and nothing is modal.
        bool lockedAlone = false;
        bool otherWorks = false;
        walkWithTimer(dir, [&](QProgressDialog* dialog) {
            if (dialog->value() >= 1 && dialog->isVisible()) {
                lockedAlone = !list->widget()->isEnabled() && other->widget()->isEnabled() && main->menuBar()->isEnabled()
                    && !main->menus().action("miSave")->isEnabled() && QGuiApplication::modalWindow() == nullptr;
                // A command that needs no catalogue menu item is refused all the same.
                main->menus().action("miAddRow")->trigger();
                lockedAlone = lockedAlone && !list->controller().isModified();
                main->mdiArea()->setActiveSubWindow(other);
                main->menus().action("miAddRow")->trigger();
                otherWorks = other->controller().isModified();
                QTest::keyClick(dialog, Qt::Key_Escape);
            }
        });
        QVERIFY(lockedAlone);
        QVERIFY(otherWorks);
        const int done = addedByStatus();
        QVERIFY2(done >= 1 && done < kClips, qPrintable(QString::number(done)));
        QCOMPARE(rowCount(), before + done);
        QVERIFY(interfaceEnabled());
        QVERIFY(prompts->asked.empty());
        QCOMPARE(list->currentRecord()->Fields[csTitle], QStringLiteral("clip%1").arg(done - 1, 3, 10, QLatin1Char('0')));
        QVERIFY(!main->findChild<QProgressDialog*>(QStringLiteral("fmWorkProgress")));

        // The Cancel button the same.
        main->mdiArea()->setActiveSubWindow(list);
        walkWithTimer(dir, [&](QProgressDialog* dialog) {
            if (dialog->value() >= 1 && dialog->isVisible())
                QTest::mouseClick(dialog->findChild<QPushButton*>(), Qt::LeftButton);
        });
        const int doneAgain = addedByStatus();
        QVERIFY(doneAgain >= 1 && doneAgain < kClips);
        QCOMPARE(rowCount(), before + done + doneAgain);

        // Closing the window stops the walk, not waited for behind a frozen window: the close
        // returns at once with the walk's progress up, and once the walk has stopped the
        // window closes as usual, asking to save.
        QPointer<TfmList> window = list;
        prompts->answers = {PromptButton::Yes};
        const QString saveQuestion = QStringLiteral("Файл не был сохранен. Сохранить?");
        bool closed = false;
        bool stoppedInSight = false;
        walkWithTimer(dir, [&](QProgressDialog* dialog) {
            if (dialog->value() >= 1 && !closed) {
                closed = true;
                stoppedInSight = !list->close() && list->closeAfterWork().isPending() && progressShown()
                    && !prompts->texts().contains(saveQuestion);
                list = nullptr;
            }
        });
        QVERIFY(stoppedInSight);
        // The file being read when the close came is read to its end first.
        QTRY_VERIFY_WITH_TIMEOUT(!window, 60000);
        QVERIFY(prompts->texts().contains(saveQuestion));
        const qsizetype saved = CliTitles(dump(path())).size();
        QVERIFY(saved > 7 + done + doneAgain && saved < 7 + done + doneAgain + kClips);

        // Closing the program does the same.
        QVERIFY((list = openLoaded(path())));
        prompts->answers = {PromptButton::No, PromptButton::Yes}; // the other window first
        closed = false;
        stoppedInSight = false;
        walkWithTimer(dir, [&](QProgressDialog* dialog) {
            if (dialog->value() >= 1 && !closed) {
                closed = true;
                stoppedInSight = !main->close() && main->isVisible() && progressShown();
                list = nullptr;
            }
        });
        QVERIFY(stoppedInSight);
        QTRY_VERIFY_WITH_TIMEOUT(!main->isVisible(), 60000);
        const qsizetype savedAgain = CliTitles(dump(path())).size();
        QVERIFY2(savedAgain > saved && savedAgain < saved + kClips, qPrintable(QStringLiteral("%1 then %2").arg(saved).arg(savedAgain)));
    }

    void fillingAndAppendingChangeTheCurrentRecordAsTheCoreDoes()
    {
        const QString dir = cli->path("videos");
        const QString named = video(QStringLiteral("Gamma (Foreign).avi"), videos.clip3s());
        const QString more = videos.copy(videos.longClip(), dir + QStringLiteral("/more.avi"), 5 * 1024 * 1024 / 2);
        list->grid()->expandAll();
        const QModelIndex index = rowIndex("Амели");
        list->grid()->setCurrentIndex(index);
        list->focusRecord(list->controller().model()->rowAt(index));
        TzkRow* row = list->currentRecord();
        QVERIFY(row);
        list->controller().setCell(row, 4, QStringLiteral("1"));
        list->controller().setCell(row, 12, QStringLiteral("90"));
        TzkRecordPanel* panel = list->recordPanel();
        panel->showRecord(row);

        // The core, on a list of the same column patterns holding a copy of the record.
        const TZKList& shown = *list->controller().currentList();
        TZKList oracleList(kColumnCount, 0, BuiltInColumnDefinitions(), shown.Formats);
        for (int c = 0; c < kColumnCount; ++c)
            oracleList.Column(c).Pattern = shown.Column(c).Pattern;
        ListEntryTarget target(oracleList);
        target.Current = target.AddEmptyRecord();
        target.Current->Fields = row->Fields;
        TzkRecordEntry entry(target, FileNameSeparators::From(main->shell().options()), oracleList.Formats);

        prompts->fileLists = {{more, more}};
        entered([panel] { panel->edit(3)->button()->click(); });
        entry.AppendFile(more);
        entry.AppendFile(more);
        QCOMPARE(row->Fields, target.Current->Fields);
        QCOMPARE(row->Fields[3], QStringLiteral("654")); // two files of 2.5 MiB, each rounded halves to even
        QCOMPARE(panel->edit(12)->edit()->text(), QStringLiteral("94"));
        QCOMPARE(main->shell().options().LastAviDir, dir + QLatin1Char('/'));
        QVERIFY(list->controller().isModified());

        prompts->files = {{named, 0}};
        entered([panel] { panel->edit(1)->button()->click(); });
        entry.FillCurrentRecord(named);
        QCOMPARE(row->Fields, target.Current->Fields);
        QCOMPARE(panel->edit(1)->edit()->text(), QStringLiteral("Gamma "));
        QCOMPARE(panel->edit(2)->edit()->text(), QStringLiteral("Foreign"));
        QCOMPARE(list->controller().model()->indexOf(row, 1).data().toString(), QStringLiteral("Gamma "));
        QCOMPARE(rowCount(), 5);
        QVERIFY(prompts->asked.empty());
    }
};

QTEST_MAIN(FileEntryTest)
#include "FileEntryTest.moc"
