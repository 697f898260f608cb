// Saving and loading a 100,000-record catalogue as XML.
#include "NestedCatalogue.h"
#include "TReelkeepXMLSerialiazerV2_1.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace reelkeep;

namespace {

constexpr int kRows = 100000;

// Argument 0: full records; 1: typical records (see NestedCatalogue.h).
const TZKLists& catalogue(bool typicalRecords)
{
    static const auto full = bench::makeNestedCatalogue(kRows);
    static const auto typical = bench::makeNestedCatalogue(kRows, bench::RecordSize::Typical);
    return typicalRecords ? *typical : *full;
}

const QTemporaryDir& scratch()
{
    static const QTemporaryDir dir;
    return dir;
}

QString savedFile(bool typicalRecords)
{
    const QString name = scratch().filePath(QStringLiteral("catalogue%1.xkdx").arg(int(typicalRecords)));
    TReelkeepXMLSerialiazerV2_1().Save(name, catalogue(typicalRecords));
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
