// Saving and loading a 100,000-record catalogue as format 2.1, the peak memory a
// load needs beside the catalogue it builds, and the check of what a save would lose.
#include "LossReport.h"
#include "NestedCatalogue.h"
#include "ProcessMemory.h"
#include "TReelkeepSerialiazerV2_1.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <string_view>

using namespace reelkeep;

namespace {

QString savedFile(bool typicalRecords)
{
    const QString name = bench::scratchFolder().filePath(QStringLiteral("catalogue%1.kdx").arg(int(typicalRecords)));
    if (!QFileInfo::exists(name))
        TReelkeepSerialiazerV2_1().Save(name, bench::hundredThousandRecords(typicalRecords));
    return name;
}

void Kdx21Save(benchmark::State& state)
{
    bench::TimeSave<TReelkeepSerialiazerV2_1>(state, QStringLiteral("save.kdx"));
}

void Kdx21Load(benchmark::State& state)
{
    bench::TimeLoad<TReelkeepSerialiazerV2_1>(state, savedFile(state.range(0) != 0));
}

// Run as a fresh child process: loads one file and prints the resident-set peak
// growth and the model's own count of the loaded catalogue, in bytes. A fresh
// process keeps memory freed by the generator from hiding part of the peak.
int measureLoad(const QString& fileName)
{
    const double before = bench::StatusBytes("VmRSS");
    auto lists = TReelkeepSerialiazerV2_1().Load(fileName);
    const double peak = bench::StatusBytes("VmHWM") - before;
    std::printf("%.0f %.0f\n", peak, double(lists->List(0)->MemoryUsage()));
    return 0;
}

// The peak memory of a load against the memory of the loaded catalogue; the aim is a ratio of at most 2.
void Kdx21LoadPeakMemory(benchmark::State& state)
{
    const QString fileName = savedFile(state.range(0) != 0);
    for (auto _ : state) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--measure-load"), fileName});
        child.waitForFinished(-1);
        const QStringList figures = QString::fromLatin1(child.readAllStandardOutput()).split(QLatin1Char(' '));
        if (child.exitCode() != 0 || figures.size() != 2) {
            state.SkipWithError("the measuring child failed");
            return;
        }
        const double peak = figures[0].toDouble();
        const double model = figures[1].toDouble();
        state.counters["model_MB"] = model / 1e6;
        state.counters["peak_MB"] = peak / 1e6;
        state.counters["peak_ratio"] = peak / model;
    }
}

// What a save as 2.1 would lose: reading every text (second argument 0), as when the
// person is to be asked, or all but the characters (1), which SaveIfNothingLost does
// before a save that checks the characters as it encodes them (Kdx21SaveChecked).
void LossCheck(benchmark::State& state)
{
    const TZKLists& lists = bench::hundredThousandRecords(state.range(0) != 0);
    const LossScan scan = state.range(1) == 0 ? LossScan::Everything : LossScan::AllButCharacters;
    for (auto _ : state) {
        const LossReport report = FindLoss(lists, CatalogueForm::Kdx21, scan);
        if (!report.IsEmpty())
            state.SkipWithError("the benchmark catalogue should lose nothing");
        benchmark::DoNotOptimize(report);
    }
}

void Kdx21SaveChecked(benchmark::State& state)
{
    const TZKLists& lists = bench::hundredThousandRecords(state.range(0) != 0);
    const QString path = bench::scratchFolder().filePath(QStringLiteral("checked.kdx"));
    for (auto _ : state) {
        TReelkeepSerialiazerV2_1 writer;
        writer.KeepEveryCharacter = true;
        writer.Save(path, lists);
    }
}

} // namespace

BENCHMARK(LossCheck)->ArgsProduct({{0, 1}, {0, 1}})->Unit(benchmark::kMillisecond);
BENCHMARK(Kdx21SaveChecked)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(Kdx21Save)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(Kdx21Load)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(Kdx21LoadPeakMemory)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 3 && std::string_view(argv[1]) == "--measure-load")
        return measureLoad(QString::fromLocal8Bit(argv[2]));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
