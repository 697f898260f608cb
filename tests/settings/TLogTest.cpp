#include "TLog.h"

#include "ReelkeepError.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace reelkeep;

namespace {

QByteArray read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(TLog, DisabledLogTouchesNothing)
{
    QTemporaryDir dir;
    TNamedLog log(dir.filePath(QStringLiteral("logs")), QStringLiteral("reelkeep.log"), LocaleFormats::russian());
    log.WriteLine(QStringLiteral("A"), true);
    log.WriteValue(QStringLiteral("A"), 1, false);
    EXPECT_FALSE(QDir(dir.filePath(QStringLiteral("logs"))).exists());
}

TEST(TLog, LinesAreByteExact)
{
    QTemporaryDir dir;
    TNamedLog log(dir.filePath(QStringLiteral("a/b")), QStringLiteral("reelkeep.log"), LocaleFormats::russian());
    EXPECT_EQ(log.GetFileName(), dir.filePath(QStringLiteral("a/b/reelkeep.log")));
    log.Enabled = true;
    log.LongTimeFormat = QStringLiteral("HH:mm:ss");
    QDateTime now(QDate(2024, 3, 5), QTime(14, 7, 9));
    log.Clock = [&now] { return now; };
    QString shown;
    log.ShowMessage = [&shown](const QString& text) { shown = text; };

    log.WriteLine(QStringLiteral("A"), false);
    log.WriteLine(QStringLiteral("B"), false);
    EXPECT_EQ(read(log.GetFileName()), QByteArray("A\nB\n"));

    log.WriteValue(QStringLiteral("Count:"), -5, false);
    log.WriteLine(QStringLiteral("Загрузка"), true);
    now = QDateTime(QDate(2024, 3, 6), QTime(0, 0));
    log.WriteValue(QStringLiteral("n="), 7, true);
    log.WriteAndShow(QStringLiteral("shown"), false);
    EXPECT_EQ(read(log.GetFileName()), QByteArray("A\nB\nCount:-5\n05.03.2024 14:07:09 \xC7\xE0\xE3\xF0\xF3\xE7\xEA\xE0\n"
                                                  "06.03.2024 n=7\nshown\n"));
    EXPECT_EQ(shown, QStringLiteral("shown"));
}

TEST(TLog, UnwritableFileRaisesTheFileError)
{
    QTemporaryDir dir;
    QFile blocker(dir.filePath(QStringLiteral("blocker")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    TNamedLog log(dir.filePath(QStringLiteral("blocker")), QStringLiteral("reelkeep.log"), LocaleFormats::russian());
    log.Enabled = true;
    try {
        log.WriteLine(QStringLiteral("A"), false);
        FAIL() << "the write was not refused";
    } catch (const FileError& error) {
        EXPECT_EQ(error.message(), QStringLiteral("Cannot create file ") + dir.filePath(QStringLiteral("blocker/reelkeep.log")));
    }
}
