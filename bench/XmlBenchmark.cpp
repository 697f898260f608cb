// Saving and loading a 100,000-record catalogue as XML.
#include "NestedCatalogue.h"
#include "TReelkeepXMLSerialiazerV2_1.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace reelkeep;

namespace {

constexpr int kRows = 100000;

// Argument 0: descriptions as generated (about 67 MB as format 2.1); 1: cut to
// 100 characters (about 30 MB as 2.1, the size of a typical large catalogue).
const TZKLists& catalogue(bool shortDescriptions)
{
    static const auto full = bench::makeNestedCatalogue(kRows);
    static const auto typical = bench::makeNestedCatalogue(kRows, true);
    return shortDescriptions ? *typical : *full;
}

const QTemporaryDir& scratch()
{
    static const QTemporaryDir dir;
    return dir;
}

QString savedFile(bool shortDescriptions)
{
    const QString name = scratch().filePath(QStringLiteral("catalogue%1.xkdx").arg(int(shortDescriptions)));
    TReelkeepXMLSerialiazerV2_1().Save(name, catalogue(shortDescriptions));
    return name;
}

void XmlSave(benchmark::State& state)
{
    const TZKLists& lists = catalogue(state.range(0) != 0);
    const QString fileName = scratch().filePath(QStringLiteral("save.xkdx"));
    for (auto _ : state)
        TReelkeepXMLSerialiazerV2_1().Save(fileName, lists);
    state.counters["MB"] = double(QFileInfo(fileName).size()) / 1e6;
}

void XmlLoad(benchmark::State& state)
{
    const QString fileName = savedFile(state.range(0) != 0);
    for (auto _ : state) {
        TReelkeepXMLSerialiazerV2_1 reader;
        reader.OnProgress = [](int) {};
        auto lists = reader.Load(fileName);
        benchmark::DoNotOptimize(lists);
        state.PauseTiming();
        lists.reset(); // freeing is not part of the load
        state.ResumeTiming();
    }
}

} // namespace

BENCHMARK(XmlSave)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(XmlLoad)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
