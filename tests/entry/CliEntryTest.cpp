// End-to-end: the record-entry commands of reelkeep-cli on generated videos with
// Cyrillic names, under the C locale and under a UTF-8 one.
#include "TestVideos.h"

#include "../support/CliRunner.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <gtest/gtest.h>

using reelkeep::test::TestVideos;
using reelkeep::testing::CliRun;
using reelkeep::testing::CliRunner;

namespace {

class CliEntryTest : public ::testing::TestWithParam<const char*> {
protected:
    CliEntryTest()
    {
        for (const char* name : {"LANG", "LC_ALL"})
            runner.setEnvironment(QString::fromLatin1(name), QString::fromLatin1(GetParam()));
    }
    CliRun cli(const QStringList& args) const { return runner.run(args); }
    QJsonObject json(const QStringList& args) const
    {
        const CliRun run = cli(args);
        EXPECT_EQ(run.status, 0) << run.err.toStdString();
        return run.json();
    }
    // A folder per locale; copying files into it makes it.
    QString dir(const QString& name) { return videos.path(QString::fromLatin1(GetParam()) + QLatin1Char('/') + name); }

    TestVideos& videos = TestVideos::Get();
    CliRunner runner;
};

TEST_P(CliEntryTest, ParseNameAndMedia)
{
    const QString folder = dir(QStringLiteral("Фильмы"));
    const QString cd1 = videos.copy(videos.full(), folder + QStringLiteral("/Фильм (Кино).cd1.mp4"));
    videos.copy(videos.clip2s(), folder + QStringLiteral("/Фильм (Кино).cd2.mp4"));

    EXPECT_EQ(json({QStringLiteral("parse-name"), cd1}),
              (QJsonObject{{QStringLiteral("name"), QStringLiteral("Фильм ")}, {QStringLiteral("origName"), QStringLiteral("Кино")},
                           {QStringLiteral("dir"), folder}, {QStringLiteral("partsCount"), 2},
                           {QStringLiteral("partPrefix"), QStringLiteral("Фильм (Кино).cd")},
                           {QStringLiteral("partSuffix"), QStringLiteral(".mp4")}, {QStringLiteral("isDvd"), false}}));

    const QJsonObject media = json({QStringLiteral("media"), cd1});
    EXPECT_EQ(media.value(QStringLiteral("title")).toString(), QStringLiteral("Тестовый фильм"));
    EXPECT_EQ(media.value(QStringLiteral("fileSize")).toInteger(), QFileInfo(cd1).size());
    EXPECT_EQ(media.value(QStringLiteral("video")).toArray().at(0).toObject().value(QStringLiteral("duration")).toInt(), 3);
    EXPECT_EQ(media.value(QStringLiteral("audLanguages")).toString(), QStringLiteral("Russian, ?"));
    EXPECT_EQ(media.value(QStringLiteral("subtitleLangs")).toString(), QStringLiteral("English-sub, -sub"));
    EXPECT_EQ(media.value(QStringLiteral("audioCount")).toInt(), 2);

    const CliRun missing = cli({QStringLiteral("media"), folder + QStringLiteral("/нет.avi")});
    EXPECT_EQ(missing.status, 2);
    EXPECT_TRUE(QString::fromUtf8(missing.err).contains(QStringLiteral("нет.avi"))) << missing.err.toStdString();
}

TEST_P(CliEntryTest, AddFilesAndFoldersThenStatistics)
{
    const QString folder = dir(QStringLiteral("Коллекция"));
    videos.copy(videos.longClip(), folder + QStringLiteral("/Первый.avi"), 3 * 1024 * 1024);
    videos.copy(videos.longClip(), folder + QStringLiteral("/Вложенная/Второй.avi"), 1024 * 1024);
    videos.copy(videos.clip2s(), folder + QStringLiteral("/заметки.txt"));
    const QString broken = folder + QStringLiteral("/Сломан.avi");
    QFile::link(folder + QStringLiteral("/нет"), broken);
    const QString parts = dir(QStringLiteral("Части"));
    const QString p1 = videos.copy(videos.longClip(), parts + QStringLiteral("/Кино [1-2].avi"));
    const QString p2 = videos.copy(videos.longClip(), parts + QStringLiteral("/Кино [2-2].avi"));
    const QString catalogue = runner.path("Каталог.kdx");

    const CliRun add = cli({QStringLiteral("add"), catalogue, p1, p2, folder});
    ASSERT_EQ(add.status, 0) << add.err.toStdString();
    // The broken link is skipped and listed after the count; the rest is entered and saved.
    EXPECT_TRUE(add.out.startsWith("3 records added")) << add.out.toStdString();
    EXPECT_TRUE(QString::fromUtf8(add.out).endsWith(QStringLiteral("\n1 skipped:\n  %1: the link leads nowhere: No such file or directory\n").arg(broken)))
        << add.out.toStdString();

    const CliRun stats = cli({QStringLiteral("stats"), catalogue, QStringLiteral("--select"), QStringLiteral("2,3")});
    ASSERT_EQ(stats.status, 0) << stats.err.toStdString();
    // Records: the two-part film (2 files, 4 minutes), Второй (1 MiB, 2 min), Первый (3 MiB, 2 min). The
    // wording of the lines is the statistics' own; here their figures: size, length and files, total and
    // average, of the sheet and of the selection.
    QStringList figures;
    for (const QString& line : QString::fromUtf8(stats.out).split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        figures << line.section(QLatin1Char(':'), 1);
    EXPECT_EQ(figures.join(QLatin1Char(' ')), QStringLiteral(" 4 1 8 3 4 1  4 2 4 2 2 1"));

    // A second run appends to the saved catalogue; a missing path changes nothing.
    ASSERT_EQ(cli({QStringLiteral("add"), catalogue, folder + QStringLiteral("/Первый.avi")}).status, 0);
    const CliRun bad = cli({QStringLiteral("add"), catalogue, folder + QStringLiteral("/нет.avi")});
    EXPECT_EQ(bad.status, 2);
    const CliRun again = cli({QStringLiteral("stats"), catalogue});
    EXPECT_TRUE(QString::fromUtf8(again.out).contains(QStringLiteral("Общий объем:7"))) << again.out.toStdString();
}

TEST_P(CliEntryTest, FrameWritesTheKeyFrameAsJpeg)
{
    const QString film = videos.copy(videos.redRamp(), dir(QStringLiteral("Кадры/Фильм.avi")));
    const QString out = dir(QStringLiteral("Кадры/кадр.jpg"));
    for (const auto& [at, red] : {std::pair{QStringList{}, 25}, std::pair{QStringList{QStringLiteral("--at"), QStringLiteral("85")}, 200}}) {
        const CliRun run = cli(QStringList{QStringLiteral("frame"), film, out} + at);
        ASSERT_EQ(run.status, 0) << run.err.toStdString();
        const QImage frame(out, "JPEG");
        EXPECT_EQ(frame.size(), QSize(1024, 256));
        EXPECT_NEAR(qRed(frame.pixel(512, 128)), red, 8);
    }
    // A point outside the film is a usage error; a file without frames is named, and
    // the JPEG of before stays as it was.
    const QByteArray before = [&] { QFile file(out); file.open(QIODevice::ReadOnly); return file.readAll(); }();
    EXPECT_EQ(cli({QStringLiteral("frame"), film, out, QStringLiteral("--at"), QStringLiteral("101")}).status, 1);
    const QString notes = dir(QStringLiteral("Кадры/notes.avi"));
    QFile text(notes);
    ASSERT_TRUE(text.open(QIODevice::WriteOnly) && text.write("no video\n") > 0);
    text.close();
    const CliRun failed = cli({QStringLiteral("frame"), notes, out});
    EXPECT_NE(failed.status, 0);
    EXPECT_TRUE(QString::fromUtf8(failed.err).contains(QStringLiteral("No frame can be taken from the file \"%1\"").arg(notes))) << failed.err.toStdString();
    QFile after(out);
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), before);
}

INSTANTIATE_TEST_SUITE_P(Locales, CliEntryTest, ::testing::Values("C", "C.UTF-8"),
                         [](const ::testing::TestParamInfo<const char*>& info) { return info.index == 0 ? std::string("C") : std::string("Utf8"); });

} // namespace
