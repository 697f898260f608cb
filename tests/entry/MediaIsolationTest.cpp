// Media examination in helper processes: a damaged file on which the media library
// never returns, Cancel while waiting, and the worker pool's slots.
#include "MediaExaminer.h"
#include "MediaPrefetcher.h"
#include "ReelkeepError.h"
#include "EntryList.h"
#include "TestVideos.h"

#include "../support/ErrorMessage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace reelkeep;
using namespace std::chrono_literals;
using reelkeep::test::EntryList;
using reelkeep::test::TestVideos;

namespace {

using Clock = std::chrono::steady_clock;

class MediaIsolationTest : public ::testing::Test {
protected:
    TestVideos& videos = TestVideos::Get();
    QString dir = videos.path(QStringLiteral("isolation-%1").arg(::testing::UnitTest::GetInstance()->random_seed()));

    void SetUp() override { QDir().mkpath(dir); }
    void TearDown() override { QDir(dir).removeRecursively(); }

    // A 4,950-byte Matroska file with one bit flipped, on which libmediainfo 23.04
    // spins at full speed forever.
    QString stuck(const QString& name)
    {
        const QString runaway = QFileInfo(QString::fromUtf8(__FILE__)).dir().filePath(QStringLiteral("data/runaway.mkv"));
        return videos.copy(runaway, dir + QLatin1Char('/') + name);
    }
    QString clip(const QString& name) { return videos.copy(videos.clip2s(), dir + QLatin1Char('/') + name); }
};

} // namespace

TEST_F(MediaIsolationTest, ARunawayFileIsUnreadableAtTheDeadlineAndTheNextFileIsRead)
{
    const QString runaway = stuck(QStringLiteral("stuck.mkv"));
    MediaExaminer examiner(2s);
    EXPECT_TRUE(test::ErrorMessage<FileError>([&] { examiner.Examine(runaway); }).contains(runaway));
    EXPECT_EQ(examiner.Examine(videos.clip2s())->Video.front().Duration, 2);

    // Cancel ends the wait long before the deadline.
    MediaExaminer patient(60s);
    const auto start = Clock::now();
    EXPECT_EQ(patient.Examine(runaway, [&start] { return Clock::now() - start > 200ms; }), nullptr);
    EXPECT_LT(Clock::now() - start, 10s);
}

TEST_F(MediaIsolationTest, AWalkSkipsTheRunawayFileOrStopsAtCancelWhileWaitingForIt)
{
    clip(QStringLiteral("a.avi"));
    const QString runaway = stuck(QStringLiteral("b.mkv"));
    clip(QStringLiteral("c.avi"));
    for (const int threads : {1, 2}) {
        EntryList walked;
        walked.entry.SetMediaDeadline(2s);
        WalkOptions options;
        options.Threads = threads;
        const WalkResult result = walked.entry.AddFolder(dir, options);
        ASSERT_EQ(result.Skipped.size(), 1u) << threads;
        EXPECT_EQ(result.Skipped[0].Path, runaway);
        EXPECT_TRUE(result.Skipped[0].Reason.english().contains(runaway)) << result.Skipped[0].Reason.english().toStdString();
        ASSERT_EQ(walked.list.RowCount(), 2) << threads;
        EXPECT_EQ(walked.list.Row(1)->Fields[1], QStringLiteral("c"));

        // With the full deadline, Cancel while the walk waits on the file stops it at once.
        EntryList cancelled;
        // Cancel comes 300 ms after the first file is entered, while the walk waits on the second.
        std::optional<Clock::time_point> firstDone;
        options.Progress = [&firstDone](int, int) {
            if (!firstDone)
                firstDone = Clock::now();
        };
        options.Cancelled = [&firstDone] { return firstDone && Clock::now() - *firstDone > 300ms; };
        EXPECT_TRUE(cancelled.entry.AddFolder(dir, options).Cancelled);
        EXPECT_LT(Clock::now() - *firstDone, 10s) << threads;
        EXPECT_EQ(cancelled.list.RowCount(), 1) << threads;
    }
}

TEST_F(MediaIsolationTest, ThePoolHandsOverInAnyOrderOnceAndReleasesWhatItHandedOver)
{
    QStringList paths;
    for (const char* name : {"1.avi", "2.avi", "3.avi", "4.avi"})
        paths << clip(QString::fromLatin1(name));
    MediaPrefetcher pool(paths + QStringList{paths[1]}, 2, 1);
    for (const int i : {3, 0, 2, 1}) {
        const auto taken = pool.Take(paths[i]);
        ASSERT_TRUE(taken && *taken) << i;
        EXPECT_EQ((*taken)->FileName, paths[i]);
        const std::weak_ptr<const TzkVideoInfo> held = *taken;
        EXPECT_EQ(held.use_count(), 1) << "the pool still holds file " << i;
    }
    EXPECT_FALSE(pool.Take(paths[1])) << "a file handed over twice";
    EXPECT_FALSE(pool.Take(dir + QStringLiteral("/other.avi")));

    // Destroyed while its workers wait on files that never end: it does not wait with them.
    const auto start = Clock::now();
    {
        MediaPrefetcher busy({stuck(QStringLiteral("x.mkv")), stuck(QStringLiteral("y.mkv")), paths[0]}, 2, 4, 60s);
        std::this_thread::sleep_for(300ms);
    }
    EXPECT_LT(Clock::now() - start, 10s);
}
