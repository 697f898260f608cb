// End-to-end tests that nothing a person keeps is lost by reelkeep-cli: saves that
// would drop something are refused, catalogues keep their form, failures are
// reported, and a save killed at any moment leaves the old or the new file.
#include "../support/CliRunner.h"
#include "../support/SmallDisk.h"
#include "../support/TestFiles.h"
#include "FileIO.h"
#include "TReelkeepSerialiazerV1_3.h"
#include "TReelkeepSerialiazerV2_0.h"
#include "TzkReelkeep.h"

#include <QDir>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <iostream>

namespace reelkeep::testing {
namespace {

using test::FilesIn;
using test::ReadTestFile;
using test::SmallDisk;
using test::WriteTestFile;

class CliSafety : public ::testing::Test, protected CliRunner {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(isValid());
        TzkReelkeep doc;
        TZKList* list = doc.AddList(0, QStringLiteral("Фильмы"));
        list->AddRow()->Fields[1] = QStringLiteral("Солярис");
        list->Images.AddImage("JPEGDATA", 1);
        TReelkeepSerialiazerV2_0().Save(path("images20.kdx"), doc.Lists());
        TReelkeepSerialiazerV1_3().Save(path("text13.kdx"), doc.Lists());
    }

    // A text form with one list of the given titles.
    static QByteArray textForm(const QStringList& titles)
    {
        TzkReelkeep doc;
        TZKList* list = doc.AddList(0, QString());
        for (const QString& title : titles)
            list->AddRow()->Fields[1] = title;
        return doc.SaveToString();
    }
};

TEST_F(CliSafety, MergeKeepsTheFormAndRefusesWhatItWouldLose)
{
    WriteTestFile(path("plain.txt"), textForm({QStringLiteral("Сталкер")}));
    for (const char* catalogue : {"images20.kdx", "text13.kdx"}) {
        const QByteArray signature = ReadTestFile(path(catalogue)).left(8);
        const CliRun merge = run({"merge", path(catalogue), path("plain.txt")});
        ASSERT_EQ(merge.status, 0) << merge.err.constData();
        EXPECT_EQ(ReadTestFile(path(catalogue)).left(8), signature) << catalogue;
    }
    const QJsonObject merged = run({"dump", path("images20.kdx")}).json();
    EXPECT_EQ(merged[QStringLiteral("lists")][0][QStringLiteral("rows")].toArray().size(), 2);
    EXPECT_EQ(merged[QStringLiteral("lists")][0][QStringLiteral("images")].toArray().size(), 1);

    // Characters the 8-bit form cannot hold, text that is no catalogue, and text
    // without records change nothing and say why.
    TzkReelkeep wide;
    wide.AddList(0, QString())->AddRow()->Fields[1] = QStringLiteral("七人の侍 🎬 Café");
    wide.SaveToXML(path("wide.xkdx"));
    WriteTestFile(path("prose.txt"), "Films I own:\r\nСолярис\r\n");
    WriteTestFile(path("empty.txt"), textForm({}));
    const QByteArray before = ReadTestFile(path("images20.kdx"));
    for (const auto& [text, said] : {std::pair{"prose.txt", "is not a catalogue"}, {"empty.txt", "holds no record"}}) {
        const CliRun refused = run({"merge", path("images20.kdx"), path(text)});
        EXPECT_EQ(refused.status, 2) << text;
        EXPECT_TRUE(refused.err.contains(said)) << refused.err.constData();
    }
    EXPECT_EQ(ReadTestFile(path("images20.kdx")), before);

    // Sorting into another file keeps the form it was read from, unless it would lose.
    ASSERT_EQ(run({"sort", path("images20.kdx"), "--list", "1", "--column", "1", "--out", path("sorted.kdx")}).status, 0);
    EXPECT_TRUE(ReadTestFile(path("sorted.kdx")).startsWith("kdx v2.0"));
    const CliRun lossy = run({"sort", path("wide.xkdx"), "--list", "1", "--column", "1", "--out", path("wide.kdx")});
    EXPECT_EQ(lossy.status, 2);
    EXPECT_TRUE(lossy.err.contains("6 characters outside the windows-1251 code page")) << lossy.err.constData();
    EXPECT_FALSE(QFile::exists(path("wide.kdx")));
}

TEST_F(CliSafety, AFullStandardOutputIsReportedInWords)
{
    for (const char* command : {"dump", "text"}) {
        QProcess process;
        prepare(process, {QString::fromUtf8(command), path("images20.kdx")});
        process.setStandardOutputFile(QStringLiteral("/dev/full"));
        process.start();
        ASSERT_TRUE(process.waitForFinished(60000));
        EXPECT_EQ(process.exitCode(), 2) << command;
        EXPECT_EQ(process.readAllStandardError(), QByteArray("Cannot write to standard output: the disk is full.\n"));
    }
}

TEST_F(CliSafety, ExportReplacesTheTargetOnlyWithWhatThePluginWrote)
{
    QDir().mkpath(path("Plugins"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(SHIPPED_KDP_DIR "/CsvExport.kdp"), path("Plugins/CsvExport.kdp")));
    TzkReelkeep doc;
    TzkRow* row = doc.AddList(0, QStringLiteral("L"))->AddRow();
    row->Fields[1] = QStringLiteral("七人の侍");
    doc.SaveToXML(path("wide.xkdx"));
    row->Fields[1] = QStringLiteral("cut") + QChar(0) + QStringLiteral("here");
    doc.SaveToFile(path("nul.kdx"));
    WriteTestFile(path("out.csv"), "the old export");

    const CliRun nul = run({"export", path("nul.kdx"), path("out.csv"), "--plugin", "1", "--allow-loss"});
    EXPECT_EQ(nul.status, 2);
    EXPECT_TRUE(nul.err.contains("1 NUL character that cannot be passed on as text")) << nul.err.constData();
    EXPECT_EQ(run({"export", path("wide.xkdx"), path("out.csv"), "--plugin", "1"}).status, 2);
    EXPECT_EQ(ReadTestFile(path("out.csv")), QByteArray("the old export"));
    ASSERT_EQ(run({"export", path("wide.xkdx"), path("out.csv"), "--plugin", "1", "--allow-loss"}).status, 0);
    EXPECT_TRUE(ReadTestFile(path("out.csv")).contains("????"));

    // A plug-in that could write nothing (here: the disk is full) fails the export.
    const QString disk = path("disk");
    const SmallDisk small(disk, "size=64k");
    if (!small.mounted())
        GTEST_SKIP() << "a real full disk needs root to mount a small tmpfs";
    const QString target = disk + QStringLiteral("/out.csv");
    WriteTestFile(target, "the old export");
    QFile filler(disk + QStringLiteral("/filler"));
    ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
    while (filler.write(QByteArray(4096, 'x')) == 4096 && filler.flush()) {
    }
    filler.close();
    const CliRun full = run({"export", path("wide.xkdx"), target, "--plugin", "1", "--allow-loss"});
    EXPECT_EQ(full.status, 2);
    EXPECT_TRUE(full.err.contains("wrote nothing")) << full.err.constData();
    EXPECT_EQ(ReadTestFile(target), QByteArray("the old export"));
    EXPECT_EQ(FilesIn(disk), (QStringList{QStringLiteral("filler"), QStringLiteral("out.csv")}));
}

TEST_F(CliSafety, AKilledSaveLeavesTheOldOrTheNewFileAndNoLeftovers)
{
    TzkReelkeep doc;
    TZKList* list = doc.AddList(0, QStringLiteral("L"));
    for (int r = 0; r < 3000; ++r)
        list->AddRow()->Fields[14] = QStringLiteral("description of film %1 ").arg(r).repeated(4);
    doc.SaveToFile(path("new.kdx"));
    const QByteArray newBytes = ReadTestFile(path("new.kdx"));
    const QByteArray oldBytes = "kdx v2.1 the old catalogue";
    const QString target = path("target.kdx");
    // A run killed while taking the lock leaves it unreadable for a few seconds, which would refuse the next runs.
    const QStringList args{QStringLiteral("--ignore-lock"), QStringLiteral("convert"), path("new.kdx"), target};

    // How long one whole run takes, to kill the next ones anywhere within it. The machine's load changes while
    // the test runs (other tests run beside it), so the time is measured again every few runs.
    QElapsedTimer clock;
    const auto timeOneRun = [&] {
        WriteTestFile(target, oldBytes);
        QElapsedTimer runClock;
        runClock.start();
        const CliRun calibration = run(args);
        EXPECT_EQ(calibration.status, 0) << calibration.err.constData();
        return std::max<qint64>(runClock.elapsed(), 5);
    };
    qint64 runMs = timeOneRun();

    // Under the address sanitizer a run is ten times slower and the loop is there for memory faults: a shorter loop.
#ifdef __SANITIZE_ADDRESS__
    constexpr qint64 kLoopMs = 10000;
#else
    constexpr qint64 kLoopMs = 40000;
#endif
    int oldSeen = 0, newSeen = 0, runs = 0;
    clock.start();
    for (; runs < 300 && clock.elapsed() < kLoopMs; ++runs) {
        if (runs % 25 == 24)
            runMs = timeOneRun();
        WriteTestFile(target, oldBytes);
        QProcess process;
        prepare(process, args);
        process.start();
        ASSERT_TRUE(process.waitForStarted());
        if (!process.waitForFinished(int(QRandomGenerator::global()->bounded(runMs + runMs / 2))))
            process.kill();
        process.waitForFinished();
        const QByteArray now = ReadTestFile(target);
        ASSERT_TRUE(now == oldBytes || now == newBytes) << "run " << runs << ": " << now.size() << " bytes";
        ++(now == oldBytes ? oldSeen : newSeen);
        for (const QString& name : FilesIn(folder())) {
            const bool temporary = QRegularExpression(QStringLiteral("^target\\.kdx\\.saving-[A-Za-z0-9]{6}$")).match(name).hasMatch();
            ASSERT_TRUE(!name.startsWith(QLatin1String("target.kdx.")) || temporary) << name.toStdString();
        }
    }
    EXPECT_GT(oldSeen, 0);
    EXPECT_GT(newSeen, 0);

    std::cout << runs << " saves killed at random: " << oldSeen << " left the old file, " << newSeen << " the new one\n";
}

} // namespace
} // namespace reelkeep::testing
