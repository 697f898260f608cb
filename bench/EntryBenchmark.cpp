// Adding a folder of 400 small video files: sequentially, with the worker pool,
// and the same files examined by the mediainfo command for comparison; walking
// folder chains of growing depth.
#include "TzkRecordEntry.h"
#include "VideoFolder.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <thread>

using namespace reelkeep;

namespace {

using bench::VideoFolder;
constexpr int kFiles = bench::kVideoFiles;

void addFolder(benchmark::State& state, int threads)
{
    const VideoFolder& folder = VideoFolder::Get();
    for (auto _ : state) {
        TZKList list(kColumnCount, 0, BuiltInColumnDefinitions(), LocaleFormats::russian());
        ListEntryTarget target(list);
        TzkRecordEntry entry(target, {}, LocaleFormats::russian());
        WalkOptions options;
        options.Threads = threads;
        const WalkResult result = entry.AddFolder(folder.path(), options);
        if (result.RecordsAdded != kFiles)
            state.SkipWithError("wrong record count");
        benchmark::DoNotOptimize(list.RowCount());
    }
    state.SetItemsProcessed(state.iterations() * kFiles);
}

void BM_AddFolderSequential(benchmark::State& state)
{
    addFolder(state, 1);
}

void BM_AddFolderPool(benchmark::State& state)
{
    addFolder(state, static_cast<int>(std::max(1u, std::thread::hardware_concurrency())));
}

// One mediainfo process reading all 400 files.
void BM_MediainfoCommand(benchmark::State& state)
{
    const VideoFolder& folder = VideoFolder::Get();
    for (auto _ : state) {
        QProcess mediainfo;
        mediainfo.start(QStringLiteral("mediainfo"), folder.files());
        if (!mediainfo.waitForFinished(600000) || mediainfo.exitCode() != 0)
            state.SkipWithError("mediainfo failed");
        benchmark::DoNotOptimize(mediainfo.readAllStandardOutput().size());
    }
    state.SetItemsProcessed(state.iterations() * kFiles);
}

// One mediainfo process per file, as a script calling it file by file would.
void BM_MediainfoCommandPerFile(benchmark::State& state)
{
    const QStringList files = VideoFolder::Get().files();
    for (auto _ : state) {
        for (const QString& file : files) {
            QProcess mediainfo;
            mediainfo.start(QStringLiteral("mediainfo"), {file});
            if (!mediainfo.waitForFinished(60000) || mediainfo.exitCode() != 0)
                state.SkipWithError("mediainfo failed");
            benchmark::DoNotOptimize(mediainfo.readAllStandardOutput().size());
        }
    }
    state.SetItemsProcessed(state.iterations() * kFiles);
}

// Walking a chain of folders as deep as the argument, one file at the bottom:
// the time per level should not grow with the depth.
void BM_WalkDeepTree(benchmark::State& state)
{
    const QTemporaryDir dir;
    const auto depth = static_cast<int>(state.range(0));
    const QString bottom = dir.path() + QStringLiteral("/d").repeated(depth);
    QDir().mkpath(bottom);
    QFile(bottom + QStringLiteral("/bottom.avi")).open(QIODevice::WriteOnly);
    for (auto _ : state) {
        const VideoBatches walk = CollectVideoBatches(dir.path());
        if (walk.Batches.size() != 1)
            state.SkipWithError("the file at the bottom was not found");
    }
    state.SetItemsProcessed(state.iterations() * depth);
}

} // namespace

BENCHMARK(BM_WalkDeepTree)->Arg(250)->Arg(500)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AddFolderSequential)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);
BENCHMARK(BM_AddFolderPool)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);
BENCHMARK(BM_MediainfoCommand)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);
BENCHMARK(BM_MediainfoCommandPerFile)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
