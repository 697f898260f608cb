// End-to-end: reelkeep-cli rescan on a folder of generated videos — everything new at
// first, then one file added, one removed and one moved — and rescan --add entering
// what is new through the usual record entry.
#include "TestVideos.h"
#include "TzkReelkeep.h"

#include "../support/CliRunner.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QStandardPaths>
#include <gtest/gtest.h>

using reelkeep::test::TestVideos;
using reelkeep::testing::CliRun;
using reelkeep::testing::CliRunner;

namespace {

constexpr int kPathColumn = 19;

QStringList Texts(const QJsonValue& array, const char* field = nullptr)
{
    QStringList texts;
    for (const QJsonValue& item : array.toArray())
        texts << (field ? item[QString::fromLatin1(field)].toString() : item.toString());
    return texts;
}

TEST(CliRescanTest, NewGoneAndMovedFilesThenAdded)
{
    if (QStandardPaths::findExecutable(QStringLiteral("ffmpeg")).isEmpty())
        GTEST_SKIP() << "ffmpeg is not installed: the rescan of generated videos is not checked";
    TestVideos& videos = TestVideos::Get();
    CliRunner runner;
    const QString folder = QDir::cleanPath(runner.path("Фильмы"));
    const QString first = videos.copy(videos.longClip(), folder + QStringLiteral("/Первый.avi"), 2 * 1024 * 1024);
    const QString second = videos.copy(videos.clip2s(), folder + QStringLiteral("/Второй.avi"));
    const QString third = videos.copy(videos.clip3s(), folder + QStringLiteral("/Старое/Третий.avi"));
    // A sheet that remembers where its records came from.
    const QString catalogue = runner.path("Каталог.kdx");
    {
        reelkeep::TzkReelkeep doc;
        doc.AddList(0, QStringLiteral("Фильмы"))->Column(kPathColumn).Pattern = QStringLiteral("%Path%");
        doc.SaveToFile(catalogue);
    }
    const auto rescan = [&](bool add) {
        QStringList args{QStringLiteral("rescan"), catalogue, folder};
        if (add)
            args << QStringLiteral("--add");
        const CliRun run = runner.run(args);
        EXPECT_EQ(run.status, 0) << run.err.toStdString();
        return run.json();
    };

    QJsonObject report = rescan(true);
    EXPECT_TRUE(report[QStringLiteral("byPath")].toBool());
    EXPECT_EQ(Texts(report[QStringLiteral("new")]), QStringList({third, second, first}));
    EXPECT_EQ(report[QStringLiteral("added")].toInt(), 3);
    const QJsonObject dump = runner.run({QStringLiteral("dump"), catalogue}).json();
    QStringList paths;
    for (const QJsonValue& row : dump[QStringLiteral("lists")][0][QStringLiteral("rows")].toArray())
        paths << row[QStringLiteral("cells")][kPathColumn].toString();
    EXPECT_EQ(paths, QStringList({third, second, first}));

    // One file removed, one added, one moved to another subfolder.
    ASSERT_TRUE(QFile::remove(second));
    const QString fourth = videos.copy(videos.clip2s(), folder + QStringLiteral("/Четвертый.avi"));
    ASSERT_TRUE(QDir().mkpath(folder + QStringLiteral("/Новое")));
    const QString moved = folder + QStringLiteral("/Новое/Третий.avi");
    ASSERT_TRUE(QFile::rename(third, moved));
    report = rescan(false);
    EXPECT_EQ(Texts(report[QStringLiteral("new")]), QStringList({fourth}));
    EXPECT_EQ(Texts(report[QStringLiteral("gone")], "path"), QStringList({second}));
    EXPECT_EQ(Texts(report[QStringLiteral("moved")], "path"), QStringList({third}));
    EXPECT_EQ(Texts(report[QStringLiteral("moved")], "to"), QStringList({moved}));
    EXPECT_FALSE(report.contains(QStringLiteral("added")));

    // Added: the new film gets a record, the moved one its new path; the gone one stays.
    EXPECT_EQ(rescan(true)[QStringLiteral("added")].toInt(), 1);
    report = rescan(false);
    EXPECT_TRUE(Texts(report[QStringLiteral("new")]).isEmpty());
    EXPECT_TRUE(Texts(report[QStringLiteral("moved")], "path").isEmpty());
    EXPECT_EQ(Texts(report[QStringLiteral("gone")], "path"), QStringList({second}));
}

} // namespace
