// Not a test on its own: the program with scripted edits, for recovery_kill_e2e.sh,
// which kills it at random moments. At start it restores the unsaved work it is
// offered (or opens the catalogue), logs "ready N" with the records it starts from,
// then pastes one record after another through the Paste command, logging
// "N <ms since the epoch>" once record "edit N" is in the window.
// RECOVERY_CATALOGUE names the catalogue, RECOVERY_LOG the log, RECOVERY_HOME the
// program folder.
#include "UiTestSupport.h"

#include "RecordCommands.h"

#include <QClipboard>
#include <QDateTime>
#include <QGuiApplication>
#include <unistd.h>

namespace reelkeep::testing {

class RecoveryDriver : public QObject {
    Q_OBJECT

private:
    QFile m_log;

    void logLine(const QByteArray& line)
    {
        m_log.write(line + '\n');
        m_log.flush();
        ::fsync(m_log.handle());
    }

    static QString recordText(int n)
    {
        TzkReelkeep one;
        one.AddList(0, QString())->AddRow()->Fields[csTitle] = QStringLiteral("edit %1").arg(n, 4, 10, QLatin1Char('0'));
        return QString::fromLatin1(one.SaveToString());
    }

private slots:
    void editUntilKilled()
    {
        m_log.setFileName(qEnvironmentVariable("RECOVERY_LOG"));
        QVERIFY(m_log.open(QIODevice::Append));
        ScriptedPrompts prompts;
        prompts.answers = {PromptButton::Restore};
        TfmMain main(qEnvironmentVariable("RECOVERY_HOME"), &prompts);
        main.show();
        main.OfferRecovery();
        TfmList* list = main.activeList();
        if (!list)
            list = main.OpenFile(qEnvironmentVariable("RECOVERY_CATALOGUE"));
        QVERIFY(WaitLoaded(list));
        main.mdiArea()->setActiveSubWindow(list);
        int count = list->controller().currentList()->RowCount();
        logLine("ready " + QByteArray::number(count));
        QElapsedTimer running;
        running.start();
        while (running.elapsed() < 60000) {
            QGuiApplication::clipboard()->setText(recordText(count + 1));
            QTRY_VERIFY(main.menus().action("miPaste")->isEnabled());
            main.menus().action("miPaste")->trigger();
            QCOMPARE(list->controller().currentList()->RowCount(), count + 1);
            ++count;
            logLine(QByteArray::number(count) + ' ' + QByteArray::number(QDateTime::currentMSecsSinceEpoch()));
            QTest::qWait(30);
        }
    }
};

} // namespace reelkeep::testing

QTEST_MAIN(reelkeep::testing::RecoveryDriver)
#include "RecoveryDriver.moc"
