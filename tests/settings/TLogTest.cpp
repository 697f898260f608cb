#include "TLog.h"

#include "ReelkeepError.h"

#include "../support/TestFiles.h"
#include "../support/ErrorMessage.h"

#include <QTemporaryDir>

using namespace reelkeep;
using namespace reelkeep::test;

TEST(TLog, LinesAreByteExactAndADisabledLogTouchesNothing)
{
    QTemporaryDir dir;
    TNamedLog log(dir.filePath(u("a/b")), u("reelkeep.log"), LocaleFormats::russian());
    EXPECT_EQ(log.GetFileName(), dir.filePath(u("a/b/reelkeep.log")));
    log.WriteLine(u("off"), true);
    log.WriteValue(u("off"), 1, false);
    EXPECT_FALSE(QDir(dir.filePath(u("a"))).exists());

    log.Enabled = true;
    log.LongTimeFormat = u("HH:mm:ss");
    QDateTime now(QDate(2024, 3, 5), QTime(14, 7, 9));
    log.Clock = [&now] { return now; };
    QString shown;
    log.ShowMessage = [&shown](const QString& text) { shown = text; };
    log.WriteLine(u("A"), false);
    log.WriteValue(u("Count:"), -5, false);
    log.WriteLine(u("Загрузка"), true);
    now = QDateTime(QDate(2024, 3, 6), QTime(0, 0));
    log.WriteValue(u("n="), 7, true);
    log.WriteAndShow(u("shown"), false);
    EXPECT_EQ(ReadTestFile(log.GetFileName()), QByteArray("A\nCount:-5\n05.03.2024 14:07:09 \xC7\xE0\xE3\xF0\xF3\xE7\xEA\xE0\n"
                                                          "06.03.2024 n=7\nshown\n"));
    EXPECT_EQ(shown, u("shown"));
}

TEST(TLog, UnwritableFileRaisesTheFileError)
{
    QTemporaryDir dir;
    WriteTestFile(dir.filePath(u("blocker")), QByteArray());
    TNamedLog log(dir.filePath(u("blocker")), u("reelkeep.log"), LocaleFormats::russian());
    log.Enabled = true;
    EXPECT_EQ(ErrorMessage<FileError>([&] { log.WriteLine(u("A"), false); }), u("Cannot create file ") + dir.filePath(u("blocker/reelkeep.log")));
}
