// Rescan of a folder: matching a listing of 20,000 films against a sheet of 20,000
// records — by their "%Path%" cells and, without such a column, by title and size —
// and the walk of a real folder of 2,000 empty video files in 40 subfolders.
#include "FolderRescan.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace reelkeep;

namespace {

constexpr int kSize = 3, kPath = 19;
constexpr int kFilms = 20000;
constexpr std::int64_t kMb = 1024 * 1024;

// The sheet and the listing of the same folder after some changes: every 100th film is
// new on disk, every 100th record's file is gone, and every 200th moved to another subfolder.
struct Rescan {
    std::unique_ptr<TZKList> Sheet;
    std::vector<FoundFile> Files;
};

Rescan makeRescan(bool pathColumn)
{
    Rescan made{std::make_unique<TZKList>(kColumnCount, 0, BuiltInColumnDefinitions(), LocaleFormats::russian()), {}};
    if (pathColumn)
        made.Sheet->Column(kPath).Pattern = QStringLiteral("%Path%");
    for (int i = 0; i < kFilms; ++i) {
        const QString title = QStringLiteral("Фильм номер %1").arg(i);
        const QString path = QStringLiteral("/films/%1/%2.avi").arg(i % 97).arg(title);
        const std::int64_t megabytes = 700 + i % 1500;
        if (i % 100 != 1) {
            TzkRow* row = made.Sheet->AddRow(nullptr);
            row->Fields[csTitle] = title;
            row->Fields[kSize] = QString::number(megabytes);
            if (pathColumn)
                row->Fields[kPath] = path;
        }
        if (i % 100 == 2)
            continue;
        const QString now = i % 200 == 3 ? QStringLiteral("/films/moved/%1.avi").arg(title) : path;
        made.Files.push_back({now, megabytes * kMb});
    }
    return made;
}

void match(benchmark::State& state, bool pathColumn)
{
    const Rescan rescan = makeRescan(pathColumn);
    RescanReport report;
    for (auto _ : state) {
        report = MatchRescan(*rescan.Sheet, QStringLiteral("/films"), rescan.Files, {});
        benchmark::DoNotOptimize(report.NewFiles.data());
    }
    state.counters["new"] = static_cast<double>(report.NewFiles.size());
    state.counters["gone"] = static_cast<double>(report.Gone.size());
    state.counters["moved"] = static_cast<double>(report.Moved.size());
    state.SetItemsProcessed(state.iterations() * kFilms);
}

void matchByPath(benchmark::State& state)
{
    match(state, true);
}

void matchByTitleAndSize(benchmark::State& state)
{
    match(state, false);
}

void walkFolder(benchmark::State& state)
{
    QTemporaryDir dir;
    for (int i = 0; i < 2000; ++i) {
        const QString folder = dir.filePath(QString::number(i % 40));
        QDir().mkpath(folder);
        QFile file(folder + QStringLiteral("/film%1.avi").arg(i));
        if (!file.open(QIODevice::WriteOnly)) {
            state.SkipWithError("the folder could not be made");
            return;
        }
    }
    std::size_t found = 0;
    for (auto _ : state) {
        found = WalkForRescan(dir.path()).size();
        benchmark::DoNotOptimize(found);
    }
    state.counters["files"] = static_cast<double>(found);
}

} // namespace

BENCHMARK(matchByPath)->Unit(benchmark::kMillisecond);
BENCHMARK(matchByTitleAndSize)->Unit(benchmark::kMillisecond);
BENCHMARK(walkFolder)->Unit(benchmark::kMillisecond);
