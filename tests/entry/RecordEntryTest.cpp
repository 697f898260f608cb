#include "ReelkeepError.h"
#include "EntryList.h"
#include "TestVideos.h"

#include "../support/ErrorMessage.h"
#include "../support/TestFiles.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <array>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <unistd.h>

using namespace reelkeep;
using reelkeep::test::EntryList;
using reelkeep::test::TestVideos;

namespace {

constexpr qint64 kMiB = 1024 * 1024;

class RecordEntryTest : public ::testing::Test, protected EntryList {
protected:
    TestVideos& videos = TestVideos::Get();
    // A fresh folder of its own for each test.
    QString folder(const QString& name)
    {
        static int made = 0;
        const QString path = videos.path(QStringLiteral("%1-%2").arg(name).arg(++made));
        QDir().mkpath(path);
        return path;
    }
    QString cell(int row, int column) const { return list.Row(row)->Fields[static_cast<size_t>(column)]; }
};

TEST_F(RecordEntryTest, FillsEveryColumnOfTheBuiltInSet)
{
    ASSERT_EQ(entry.ProcessFiles({videos.full()}), 1);
    ASSERT_EQ(list.RowCount(), 1);
    for (const auto& [c, text] : std::initializer_list<std::pair<int, const char*>>{
             {csNumber, ""}, {1, "full"}, {2, "Тестовый фильм"} /* the media title replaces the foreign title */, {3, "0"}, {4, "1"},
             {7, "Made for tests"}, {8, ""}, {9, "Russian, ?, English-sub, -sub"}, {12, "0"}, {17, "Drama"}, {18, "Nobody"},
             {csColour, "00FFFFFF"}})
        EXPECT_EQ(cell(0, c), QString::fromUtf8(text)) << c;
    EXPECT_TRUE(cell(0, 5).endsWith(QLatin1String(", 32x24, 25"))) << cell(0, 5).toStdString();
    EXPECT_TRUE(cell(0, 6).startsWith(QLatin1String("AAC LC/MP3, 1/2, "))) << cell(0, 6).toStdString();
    EXPECT_EQ(cell(0, 16), LocaleFormats::russian().formatDate(QDate::currentDate()));

    // A file without audio or subtitles, and a name holding a placeholder.
    const QString dir = folder(QStringLiteral("silent"));
    entry.ProcessFiles({videos.copy(videos.clip2s(), dir + QStringLiteral("/%Name% %SIZE%.avi"))});
    EXPECT_EQ(cell(1, 1), QStringLiteral("%Name% %SIZE%"));
    EXPECT_EQ(cell(1, 6), QStringLiteral("-, -, - kbps"));
    EXPECT_EQ(cell(1, 9), QStringLiteral("-, -"));
}

TEST_F(RecordEntryTest, CdPartsMakeOneRecord)
{
    const QString dir = folder(QStringLiteral("cd"));
    const QString cd1 = videos.copy(videos.clip2s(), dir + QStringLiteral("/Film.cd1.avi"));
    const QString cd2 = videos.copy(videos.clip3s(), dir + QStringLiteral("/Film.cd2.avi"));
    list.Column(12).Pattern = QStringLiteral("%VidHours%:%VidMins%:%VidSecs%");
    for (const QStringList& chosen : {QStringList{cd1, cd2}, QStringList{cd2, cd1}, QStringList{cd1}, QStringList{cd2}}) {
        EntryList fresh;
        fresh.list.Column(12).Pattern = list.Column(12).Pattern;
        EXPECT_EQ(fresh.entry.ProcessFiles(chosen), 1);
        ASSERT_EQ(fresh.list.RowCount(), 1);
        const auto& fields = fresh.list.Row(0)->Fields;
        EXPECT_EQ((QStringList{fields[1], fields[4], fields[12]}), test::u({"Film", "2", "0:0:5"}));
    }
}

TEST_F(RecordEntryTest, EachPartAddsItsOwnSizeAndAMissingPartIsCounted)
{
    const QString dir = folder(QStringLiteral("parts"));
    const QString p1 = videos.copy(videos.clip2s(), dir + QStringLiteral("/Фильм (Кино) [1-3].avi"));
    const QString p2 = videos.copy(videos.clip3s(), dir + QStringLiteral("/Фильм (Кино) [2-3].avi"), 5 * kMiB / 2);
    const QString p3 = videos.copy(videos.clip2s(), dir + QStringLiteral("/Фильм (Кино) [3-3].avi"), 3 * kMiB / 2);
    list.Column(1).Pattern = QStringLiteral("%Name%(%OrigName%)");
    list.Column(12).Pattern = QStringLiteral("%VidSecs%");
    entry.ProcessFiles({p1, p2, p3, p3});
    entry.ProcessFiles({p3});
    // The second part of two is missing: skipped, but counted.
    entry.ProcessFiles({videos.copy(videos.clip2s(), dir + QStringLiteral("/Film [1-2].avi"))});
    ASSERT_EQ(list.RowCount(), 3);
    EXPECT_EQ((QStringList{cell(2, 1), cell(2, 3), cell(2, 4), cell(2, 12)}), test::u({"Film ()", "0", "2", "2"}));
    for (int r = 0; r < 2; ++r) {
        EXPECT_EQ(cell(r, 1), QStringLiteral("Фильм (Кино)")); // the name keeps its trailing space
        EXPECT_EQ(cell(r, 2), QStringLiteral("Кино"));
        EXPECT_EQ(cell(r, 3), QStringLiteral("4")); // 0 + 2.5 + 1.5 MiB, each rounded halves to even
        EXPECT_EQ(cell(r, 4), QStringLiteral("3"));
        EXPECT_EQ(cell(r, 12), QStringLiteral("7"));
    }
}

TEST_F(RecordEntryTest, DvdTitleSets)
{
    const QString dir = folder(QStringLiteral("VIDEO_TS"));
    const QString v1 = videos.copy(videos.vob(), dir + QStringLiteral("/vts_01_1.vob"), 3 * kMiB / 2);
    const QString v2 = videos.copy(videos.vob(), dir + QStringLiteral("/vts_01_2.vob"));
    const QString ifo = dir + QStringLiteral("/vts_01_0.ifo");
    test::WriteTestFile(ifo, QByteArray("DVDVIDEO-VTS") + QByteArray(2036, '\0'));
    list.Column(12).Pattern = QStringLiteral("%VidSecs%");
    entry.ProcessFiles({v1, v2}); // title-set files are not grouped
    entry.ProcessFiles({ifo});
    ASSERT_EQ(list.RowCount(), 3);
    EXPECT_EQ(column(1), test::u({"vts_01_1", "vts_01_2", "vts_01_0"}));
    // Each record totals the whole title set (both .vob files) and counts as one file.
    EXPECT_EQ(column(3) + column(12) + column(4), QStringLiteral("2 2 2 4 4 4 1 1 1").split(QLatin1Char(' ')));
}

TEST_F(RecordEntryTest, FolderWalkOrderFilteringAndPool)
{
    const QString dir = folder(QStringLiteral("walk"));
    QDir().mkpath(dir + QStringLiteral("/b sub/deeper"));
    const QString clip = videos.clip2s();
    for (const char* name : {"z.avi", "A.mkv", "b sub/c.avi", "b sub/deeper/d.mp4", "b sub/deeper/Дом.MKV", "x.mp", "y.a",
                             "notes.txt", "noext", "Film.cd1.avi", "Film.cd2.avi", "e.mpeg"})
        videos.copy(clip, dir + QLatin1Char('/') + QString::fromUtf8(name));
    const QStringList expected{QStringLiteral("d"), QStringLiteral("Дом"), QStringLiteral("c"), QStringLiteral("A"),
                               QStringLiteral("e"), QStringLiteral("Film"), QStringLiteral("x"), QStringLiteral("y"),
                               QStringLiteral("z")};

    WalkOptions sequential;
    sequential.Threads = 1;
    std::vector<std::pair<int, int>> progress;
    sequential.Progress = [&progress](int done, int found) { progress.emplace_back(done, found); };
    const WalkResult result = entry.AddFolder(dir + QLatin1Char('/'), sequential);
    EXPECT_EQ(column(1), expected);
    EXPECT_EQ((std::array{result.FilesFound, result.FilesDone, result.RecordsAdded, int(result.Cancelled)}), (std::array{10, 10, 9, 0}));
    ASSERT_EQ(progress.size(), 9u);
    EXPECT_EQ(progress.back(), std::make_pair(10, 10));
    EXPECT_EQ(cell(5, 4), QStringLiteral("2"));

    // The worker pool gives the same records in the same order.
    EntryList pooled;
    WalkOptions parallel;
    parallel.Threads = 4;
    pooled.entry.AddFolder(dir, parallel);
    ASSERT_EQ(pooled.list.RowCount(), list.RowCount());
    for (int r = 0; r < list.RowCount(); ++r)
        EXPECT_EQ(pooled.list.Row(r)->Fields, list.Row(r)->Fields) << r;

    // Cancelling between files keeps the records entered so far.
    EntryList cancelled;
    WalkOptions stop;
    stop.Threads = 2;
    int done = 0;
    stop.Progress = [&done](int d, int) { done = d; };
    stop.Cancelled = [&done] { return done >= 3; };
    EXPECT_TRUE(cancelled.entry.AddFolder(dir, stop).Cancelled);
    EXPECT_EQ(cancelled.column(1), test::u({"d", "Дом", "c"}));
}

TEST_F(RecordEntryTest, AppendingAFile)
{
    const QString dir = folder(QStringLiteral("append"));
    const QString file = videos.copy(videos.longClip(), dir + QStringLiteral("/more.avi"), 5 * kMiB / 2);
    TzkRow* row = target.AddEmptyRecord();
    row->Fields[3] = QStringLiteral("700");
    row->Fields[4] = QStringLiteral("1");
    row->Fields[12] = QStringLiteral("90");
    entry.AppendFile(file);
    EXPECT_EQ(row->Fields[3], QStringLiteral("702"));
    EXPECT_EQ(row->Fields[4], QStringLiteral("2"));
    EXPECT_EQ(row->Fields[12], QStringLiteral("92")); // 125 s adds two whole minutes

    // Empty cells stay empty; a cell that is not a number changes nothing.
    row->Fields[3].clear();
    row->Fields[4] = QStringLiteral("two");
    EXPECT_THROW(entry.AppendFile(file), ConversionError);
    EXPECT_EQ(row->Fields[12], QStringLiteral("92"));
    row->Fields[4].clear();
    entry.AppendFile(file);
    EXPECT_EQ(row->Fields[3], QString());
    EXPECT_EQ(row->Fields[4], QString());
    EXPECT_EQ(row->Fields[12], QStringLiteral("94"));
}

TEST_F(RecordEntryTest, FillingTheCurrentRecordKeepsCellsWithEmptyValues)
{
    TzkRow* row = target.AddEmptyRecord();
    row->Fields[1] = QStringLiteral("Old title");
    row->Fields[17] = QStringLiteral("Comedy");
    row->Fields[19] = QStringLiteral("Russia");
    list.Column(19).Pattern = QStringLiteral(" ");
    entry.FillCurrentRecord(videos.clip3s());
    EXPECT_EQ(list.RowCount(), 1);
    EXPECT_EQ(row->Fields[1], QStringLiteral("clip3s"));
    EXPECT_EQ(row->Fields[17], QStringLiteral("Comedy")); // no genre tag: the empty value leaves the cell
    EXPECT_EQ(row->Fields[19], QStringLiteral("Russia"));
    EXPECT_EQ(row->Fields[5].section(QStringLiteral(", "), 2), QStringLiteral("23,976"));
}

// A named file that cannot be read ends its batch with an error naming it, the
// records before it kept; a walk skips what it cannot enter, lists it and goes on.
TEST_F(RecordEntryTest, AnUnreadableFileEndsABatchButAWalkSkipsIt)
{
    const QString missing = videos.path(QStringLiteral("missing.avi"));
    EXPECT_TRUE(test::ErrorMessage<FileError>([&] { entry.ProcessFiles({videos.clip2s(), missing, videos.clip3s()}); }).contains(missing));
    // The record added for the unreadable file stays, empty, as any added record would.
    EXPECT_EQ(column(1), (QStringList{QStringLiteral("clip2s"), QString()}));

    const QString dir = folder(QStringLiteral("broken"));
    for (const char* name : {"a.avi", "c.avi", "sub/d.avi", "shut/e.avi"})
        videos.copy(videos.clip2s(), dir + QLatin1Char('/') + QString::fromUtf8(name));
    ASSERT_TRUE(QFile::link(dir + QStringLiteral("/nowhere"), dir + QStringLiteral("/b.avi")));
    ASSERT_TRUE(QFile::link(QStringLiteral(".."), dir + QStringLiteral("/sub/up")));
    ASSERT_TRUE(QFile::link(dir + QStringLiteral("/sub"), dir + QStringLiteral("/sub again")));
    const QByteArray latin1Name = QFile::encodeName(dir) + "/caf\xe9.avi";
    ASSERT_TRUE(QFile::copy(videos.clip2s(), QFile::decodeName(QFile::encodeName(dir) + "/tmp.avi")));
    ASSERT_EQ(::rename(QFile::encodeName(dir + QStringLiteral("/tmp.avi")).constData(), latin1Name.constData()), 0);
    // Root opens any folder, so the closed one only counts for other users.
    const bool closable = ::geteuid() != 0;
    if (closable)
        QFile::setPermissions(dir + QStringLiteral("/shut"), QFileDevice::Permissions());

    EntryList walked;
    WalkOptions sequential;
    sequential.Threads = 1;
    // c.avi goes away between the walk and its entry.
    sequential.Progress = [&walked, &dir](int, int) {
        if (walked.list.Row(walked.list.RowCount() - 1)->Fields[1] == QLatin1String("a"))
            QFile::remove(dir + QStringLiteral("/c.avi"));
    };
    const WalkResult result = walked.entry.AddFolder(dir, sequential);
    QFile::setPermissions(dir + QStringLiteral("/shut"), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    // The link back up and the second way into "sub" are not walked again.
    EXPECT_EQ(walked.column(1), closable ? test::u({"d", "a"}) : test::u({"e", "d", "a"}));
    EXPECT_EQ(result.RecordsAdded, walked.list.RowCount());
    std::map<QString, QString> skipped;
    for (const SkippedPath& skip : result.Skipped)
        skipped[skip.Path.mid(dir.size() + 1)] = skip.Reason.english();
    EXPECT_EQ(skipped.size(), closable ? 5u : 4u);
    EXPECT_TRUE(skipped[QStringLiteral("b.avi")].contains(QStringLiteral("leads nowhere")));
    EXPECT_TRUE(skipped[QStringLiteral("c.avi")].contains(QStringLiteral("c.avi")));
    EXPECT_TRUE(skipped[QStringLiteral("sub/up")].contains(QStringLiteral("holds the folder being walked")));
    EXPECT_EQ(skipped[QFile::decodeName(latin1Name).mid(dir.size() + 1)], QStringLiteral("the name is not valid UTF-8"));
    if (closable) {
        EXPECT_TRUE(skipped[QStringLiteral("shut")].contains(QStringLiteral("cannot be opened")));
    }
}

// A file whose length cannot be read is entered with length 0 and named to the
// hook, in a chosen batch, a walk and a multi-part film alike; readable files are not.
TEST_F(RecordEntryTest, FilesWithoutALengthAreNamedAndEnteredWithLengthZero)
{
    const QString dir = folder(QStringLiteral("lengths"));
    const QString text = dir + QStringLiteral("/notes.avi");
    test::WriteTestFile(text, "not a video at all\n");
    const QString sound = videos.copy(videos.audioOnly(), dir + QStringLiteral("/sound.mkv"));
    const QString clip = videos.copy(videos.clip2s(), dir + QStringLiteral("/clip.avi"));
    const QString part1 = videos.copy(videos.clip2s(), dir + QStringLiteral("/film.cd1.avi"));
    const QString part2 = videos.copy(videos.audioOnly(), dir + QStringLiteral("/film.cd2.avi"));
    QStringList named;
    entry.SetLengthUnreadHook([&named](const QString& file) { named << file; });

    ASSERT_EQ(entry.ProcessFiles({text, clip, sound, part1}), 4);
    EXPECT_EQ(named, (QStringList{text, sound, part2}));
    EXPECT_EQ(column(1), test::u({"notes", "clip", "sound", "film"}));
    EXPECT_EQ(column(12), test::u({"0", "0", "0", "0"}));
    named.clear();
    entry.AppendFile(sound);
    EXPECT_EQ(named, QStringList{sound});
    EXPECT_EQ(cell(3, 12), QStringLiteral("0"));

    named.clear();
    EntryList walked;
    walked.entry.SetLengthUnreadHook([&named](const QString& file) { named << file; });
    const WalkResult result = walked.entry.AddFolder(dir);
    EXPECT_EQ(result.RecordsAdded, 4);
    EXPECT_TRUE(result.Skipped.empty());
    named.sort();
    EXPECT_EQ(named, (QStringList{part2, text, sound}));
}

// A chosen batch stops at Cancel, asked between files and while one is examined; the
// file being examined then gets no record, so none is left empty.
TEST_F(RecordEntryTest, ACancelledBatchLeavesNoEmptyRecord)
{
    int asked = 0;
    WalkOptions options;
    options.Cancelled = [&asked] { return ++asked > 1; };
    std::vector<int> progress;
    options.Progress = [&progress](int done, int found) { progress.insert(progress.end(), {done, found}); };
    const int added = entry.ProcessFiles({videos.clip2s(), videos.clip3s()}, options);
    EXPECT_LE(added, 1);
    EXPECT_EQ(list.RowCount(), added);
    if (added == 1) {
        EXPECT_EQ(cell(0, 1), QStringLiteral("clip2s"));
        EXPECT_EQ(progress, (std::vector<int>{1, 2}));
    }
}

// Every folder is opened relative to its parent, so the time grows with the number
// of folders, not with the square of the depth.
TEST_F(RecordEntryTest, AWalkReachesTheBottomOfAThousandLevels)
{
    const QString top = folder(QStringLiteral("deep"));
    const QString bottom = top + QStringLiteral("/d").repeated(1000);
    ASSERT_TRUE(QDir().mkpath(bottom));
    QFile(bottom + QStringLiteral("/bottom.avi")).open(QIODevice::WriteOnly);
    const VideoBatches walk = CollectVideoBatches(top);
    EXPECT_EQ(walk.Batches, std::vector<QStringList>{{bottom + QStringLiteral("/bottom.avi")}});
    EXPECT_TRUE(walk.Skipped.empty());
    QDir(top).removeRecursively();
}

} // namespace
