// Saving and loading a 100,000-record catalogue as format 2.1, and the peak memory
// a load needs beside the catalogue it builds.
#include "NestedCatalogue.h"
#include "TReelkeepSerialiazerV2_1.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <fstream>
#include <malloc.h>
#include <string>

using namespace reelkeep;

namespace {

constexpr int kRows = 100000;

const TZKLists& catalogue()
{
    static const auto lists = bench::makeNestedCatalogue(kRows);
    return *lists;
}

const QTemporaryDir& scratch()
{
    static const QTemporaryDir dir;
    return dir;
}

QString savedFile()
{
    static const QString fileName = [] {
        const QString name = scratch().filePath(QStringLiteral("catalogue.kdx"));
        TReelkeepSerialiazerV2_1().Save(name, catalogue());
        return name;
    }();
    return fileName;
}

// A field of /proc/self/status in bytes, e.g. "VmRSS" or "VmHWM" (the peak).
double statusBytes(const std::string& field)
{
    std::ifstream status("/proc/self/status");
    std::string key;
    double kib = 0;
    while (status >> key) {
        if (key == field + ":") {
            status >> kib;
            return kib * 1024;
        }
        status.ignore(1 << 10, '\n');
    }
    return 0;
}

void Kdx21Save(benchmark::State& state)
{
    const TZKLists& lists = catalogue();
    const QString fileName = scratch().filePath(QStringLiteral("save.kdx"));
    for (auto _ : state)
        TReelkeepSerialiazerV2_1().Save(fileName, lists);
    state.counters["MB"] = double(QFileInfo(fileName).size()) / 1e6;
}

void Kdx21Load(benchmark::State& state)
{
    const QString fileName = savedFile();
    for (auto _ : state) {
        TReelkeepSerialiazerV2_1 reader;
        reader.OnProgress = [](int) {};
        auto lists = reader.Load(fileName);
        benchmark::DoNotOptimize(lists);
        state.PauseTiming();
        lists.reset(); // freeing is not part of the load
        state.ResumeTiming();
    }
}

// Peak growth of the resident set during a load, against the model's own count of
// the loaded catalogue; the aim is a ratio of at most 2.
void Kdx21LoadPeakMemory(benchmark::State& state)
{
    const QString fileName = savedFile();
    for (auto _ : state) {
        malloc_trim(0);
        std::ofstream("/proc/self/clear_refs") << "5"; // resets the peak to the current size
        const double before = statusBytes("VmRSS");
        auto lists = TReelkeepSerialiazerV2_1().Load(fileName);
        const double peak = statusBytes("VmHWM") - before;
        const double model = double(lists->List(0)->MemoryUsage());
        state.counters["model_MB"] = model / 1e6;
        state.counters["peak_MB"] = peak / 1e6;
        state.counters["peak_ratio"] = peak / model;
    }
}

} // namespace

BENCHMARK(Kdx21Save)->Unit(benchmark::kMillisecond);
BENCHMARK(Kdx21Load)->Unit(benchmark::kMillisecond);
BENCHMARK(Kdx21LoadPeakMemory)->Iterations(1)->Unit(benchmark::kMillisecond);
