// What keeps a catalogue from being lost in the windows: another process's lock makes
// a window read-only, a file changed outside is never overwritten unasked, each save
// keeps the replaced file, and unsaved work is written aside and offered back.
#include "UiTestSupport.h"

#include "CatalogueSafety.h"
#include "KeptVersions.h"
#include "RecoveryJournal.h"
#include "TfmVersions.h"
#include "TzkBtnEdit.h"
#include "TzkRecordPanel.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSysInfo>
#include <QTreeWidget>
#include <cstdio>

using namespace reelkeep;
using namespace reelkeep::testing;
using reelkeep::test::ReadTestFile;
using reelkeep::test::WriteTestFile;
using reelkeep::test::u;

class SafetyTest : public QObject, MainWindowFixture {
    Q_OBJECT

    QString text(const char* key) const { return main->shell().text("Safety", key); }

    // A record added through the menu and titled by typing into the record panel.
    void addTitled(const QString& title)
    {
        main->mdiArea()->setActiveSubWindow(list);
        main->menus().action("miAddRow")->trigger();
        QTest::keyClicks(list->recordPanel()->edit(csTitle)->edit(), title);
    }
    void save()
    {
        main->mdiArea()->setActiveSubWindow(list);
        main->menus().action("miSave")->trigger();
        QTRY_VERIFY(idle());
    }
    // Another program replacing the file, as a sync tool does: whole, in one rename.
    static void replaceOutside(const QString& file, const QByteArray& bytes)
    {
        WriteTestFile(file + QStringLiteral(".new"), bytes);
        QVERIFY(std::rename(QFile::encodeName(file + QStringLiteral(".new")).constData(), QFile::encodeName(file).constData()) == 0);
    }
    QString lastQuestion() const { return prompts->asked.empty() ? QString() : prompts->asked.back().text; }

private slots:
    void init() { QVERIFY((list = openSampleInShownWindow("films.kdx"))); }
    void cleanup() { closeMainWindow(); }

    void catalogueHeldByAnotherProcessOpensReadOnlyOrNotAtAll()
    {
        closeMainWindow();
        newProgramFolder();
        startMainWindow();
        WriteSampleCatalogue(path());
        const QByteArray before = ReadTestFile(path());
        QProcess holder;
        holder.start(QStringLiteral("sleep"), {QStringLiteral("30")});
        QVERIFY(holder.waitForStarted());
        WriteTestFile(CatalogueLock::LockFileFor(path()), QByteArray::number(holder.processId()) + "\nsleep\n"
                                                              + QSysInfo::machineHostName().toUtf8() + '\n');

        prompts->answers = {PromptButton::Cancel};
        main->OpenFile(path());
        QTRY_VERIFY(main->lists().isEmpty());
        QVERIFY(lastQuestion().contains(QStringLiteral("pid %1").arg(holder.processId())));
        QVERIFY(prompts->asked.back().buttons == (std::vector{PromptButton::ReadOnly, PromptButton::Cancel}));

        prompts->answers = {PromptButton::ReadOnly};
        QVERIFY(WaitLoaded(list = main->OpenFile(path())));
        QVERIFY(list->windowTitle().contains(text("ReadOnlyMark")));
        QCOMPARE(list->caption(), QStringLiteral("films.kdx"));
        addTitled(QStringLiteral("Mine"));
        save();
        QCOMPARE(lastQuestion(), text("ReadOnlySave").arg(QDir::toNativeSeparators(path())));
        QVERIFY(list->isWindowModified());
        QCOMPARE(ReadTestFile(path()), before);

        // Save As into a file of its own makes it the writer of that file.
        prompts->files = {{cli->path("mine.kdx"), 0}};
        main->menus().action("miSaveAs")->trigger();
        QTRY_VERIFY(idle());
        QVERIFY(!list->isWindowModified());
        QVERIFY(!list->windowTitle().contains(text("ReadOnlyMark")));
        QVERIFY(CliTitles(dump(cli->path("mine.kdx"))).contains(QStringLiteral("Mine")));
        holder.kill();
        holder.waitForFinished();
    }

    void fileChangedOutsideIsNotOverwrittenWithoutAYes()
    {
        const QByteArray outside = [this] {
            TestCatalogue other;
            other.sheet("Другой").record({{csTitle, "Снаружи"}});
            other.doc.SaveToFile(cli->path("outside.kdx"));
            return ReadTestFile(cli->path("outside.kdx"));
        }();
        addTitled(QStringLiteral("Mine"));
        replaceOutside(path(), outside);
        // Modified: told once, asked at save.
        QTRY_COMPARE(lastQuestion(), text("ChangedModified").arg(QDir::toNativeSeparators(path())));
        prompts->answers = {PromptButton::Cancel};
        save();
        QCOMPARE(lastQuestion(), text("ChangedBeforeSave").arg(QDir::toNativeSeparators(path())));
        QCOMPARE(ReadTestFile(path()), outside);
        QVERIFY(list->isWindowModified());

        prompts->answers = {PromptButton::SaveAs};
        prompts->files = {{cli->path("copy.kdx"), 0}};
        save();
        QCOMPARE(ReadTestFile(path()), outside);
        QVERIFY(CliTitles(dump(cli->path("copy.kdx"))).contains(QStringLiteral("Mine")));
        QCOMPARE(list->controller().path(), cli->path("copy.kdx"));

        // The window's file is now the copy: a change to it, then Overwrite.
        addTitled(QStringLiteral("Again"));
        replaceOutside(cli->path("copy.kdx"), outside);
        QTRY_COMPARE(lastQuestion(), text("ChangedModified").arg(QDir::toNativeSeparators(cli->path("copy.kdx"))));
        prompts->answers = {PromptButton::Overwrite};
        save();
        QVERIFY(CliTitles(dump(cli->path("copy.kdx"))).contains(QStringLiteral("Again")));
        QVERIFY(!list->isWindowModified());

        // Unmodified: offered to read it again.
        const size_t asked = prompts->asked.size();
        prompts->answers = {PromptButton::Yes};
        replaceOutside(cli->path("copy.kdx"), outside);
        QTRY_VERIFY(prompts->asked.size() > asked);
        QCOMPARE(lastQuestion(), text("ChangedReload").arg(QDir::toNativeSeparators(cli->path("copy.kdx"))));
        QTRY_COMPARE(ModelTitles(*list->grid()->model()), u({"Снаружи"}));
        QVERIFY(!list->isWindowModified());
    }

    void savesKeepVersionsThatOpenAsModifiedWindows()
    {
        const QByteArray original = ReadTestFile(path());
        for (const char* title : {"One", "Two", "Three"}) {
            addTitled(u(title));
            save();
        }
        const std::vector<KeptVersion> versions = KeptVersions().List(path());
        QCOMPARE(versions.size(), size_t(3));
        QCOMPARE(ReadTestFile(versions.back().file), original);
        QVERIFY(CliTitles(dump(versions.front().file)).contains(QStringLiteral("Two")));
        QVERIFY(!CliTitles(dump(versions.front().file)).contains(QStringLiteral("Three")));

        main->menus().action("miRestoreVersion")->trigger();
        auto* window = main->findChild<TfmVersions*>();
        QVERIFY(window);
        QTreeWidget* table = window->table();
        QCOMPARE(table->topLevelItemCount(), 3);
        QTRY_COMPARE(table->topLevelItem(2)->text(2), QStringLiteral("7+1"));
        QCOMPARE(table->topLevelItem(0)->text(2), QStringLiteral("9+1"));
        table->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_End);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(main->lists().size(), 2);
        TfmList* restored = main->lists().back();
        QVERIFY(WaitLoaded(restored));
        QVERIFY(restored->isWindowModified());
        QCOMPARE(restored->controller().path(), path());

        // Its save asks first; no keeps the catalogue as it is.
        const QByteArray latest = ReadTestFile(path());
        prompts->answers = {PromptButton::Cancel};
        main->menus().action("miSave")->trigger();
        QTRY_VERIFY(idle());
        QCOMPARE(lastQuestion(), text("VersionReplace").arg(QDir::toNativeSeparators(path())));
        QCOMPARE(ReadTestFile(path()), latest);
        prompts->answers = {PromptButton::Yes};
        main->menus().action("miSave")->trigger();
        QTRY_VERIFY(idle());
        QVERIFY(!restored->isWindowModified());
        QVERIFY(!CliTitles(dump(path())).contains(QStringLiteral("One")));
        QCOMPARE(KeptVersions().List(path()).size(), size_t(4));
        QCOMPARE(ReadTestFile(KeptVersions().List(path()).front().file), latest);
    }

    void unsavedWorkIsWrittenAsideAndGoesWithASaveOrANo()
    {
        addTitled(QStringLiteral("Unsaved"));
        CatalogueSafety& safety = list->controller().safety();
        safety.writeJournalNow();
        const QStringList journals = QDir(RecoveryJournal::DefaultFolder()).entryList({QStringLiteral("*.xkdx")});
        QCOMPARE(journals.size(), 1);
        const QString journal = RecoveryJournal::DefaultFolder() + QLatin1Char('/') + journals[0];
        QVERIFY(CliTitles(dump(journal)).contains(QStringLiteral("Unsaved")));
        QVERIFY(RecoveryJournal::Orphans().empty());
        // Written in the background soon after each change.
        addTitled(QStringLiteral("Later"));
        QTRY_VERIFY_WITH_TIMEOUT(CliTitles(dump(journal)).contains(QStringLiteral("Later")), 15000);
        save();
        QTRY_VERIFY(!QFileInfo::exists(journal));

        addTitled(QStringLiteral("Dropped"));
        safety.writeJournalNow();
        QVERIFY(QFileInfo::exists(journal));
        prompts->answers = {PromptButton::No};
        list->close();
        QVERIFY(QDir(RecoveryJournal::DefaultFolder()).entryList({QStringLiteral("*.xkdx")}).isEmpty());
    }

    void recoveryFilesAreOfferedOneByOneAndNeverRestoredSilently()
    {
        const auto leaveJournal = [this](const char* title) {
            TestCatalogue work;
            work.sheet("Фильмы").record({{csTitle, title}});
            RecoveryJournal journal(path(), CatalogueForm::Kdx20);
            journal.write(work.doc.Lists());
        };
        leaveJournal("Kept for later");
        prompts->answers = {PromptButton::Later};
        main->OfferRecovery();
        QCOMPARE(prompts->asked.back().buttons,
                 (std::vector{PromptButton::Restore, PromptButton::Discard, PromptButton::Later}));
        QVERIFY(lastQuestion().contains(QDir::toNativeSeparators(path())));
        QCOMPARE(RecoveryJournal::Orphans().size(), size_t(1));

        prompts->answers = {PromptButton::Discard, PromptButton::No};
        main->OfferRecovery();
        QCOMPARE(lastQuestion(), text("DiscardConfirm").arg(QDir::toNativeSeparators(path())));
        QCOMPARE(RecoveryJournal::Orphans().size(), size_t(1));
        prompts->answers = {PromptButton::Discard, PromptButton::Discard};
        main->OfferRecovery();
        QVERIFY(RecoveryJournal::Orphans().empty());

        leaveJournal("Recovered");
        const QByteArray untouched = ReadTestFile(path());
        prompts->answers = {PromptButton::Restore};
        main->OfferRecovery();
        QCOMPARE(main->lists().size(), 2);
        TfmList* restored = main->lists().back();
        QVERIFY(WaitLoaded(restored));
        QVERIFY(restored->isWindowModified());
        QCOMPARE(ModelTitles(*restored->grid()->model()), u({"Recovered"}));
        QCOMPARE(ReadTestFile(path()), untouched);
        QVERIFY(RecoveryJournal::Orphans().empty()); // the window took it over
        main->mdiArea()->setActiveSubWindow(restored);
        main->menus().action("miSave")->trigger();
        QTRY_VERIFY(idle());
        QCOMPARE(CliTitles(dump(path())), u({"Recovered"}));
        QCOMPARE(restored->controller().form(), CatalogueForm::Kdx20);
        QCOMPARE(ReadTestFile(path()).left(8), QByteArray("kdx v2.0"));
        QTRY_VERIFY(QDir(RecoveryJournal::DefaultFolder()).entryList({QStringLiteral("*.xkdx")}).isEmpty());
    }
};

QTEST_MAIN(SafetyTest)
#include "SafetyTest.moc"
