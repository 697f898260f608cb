// Saving and loading a 100,000-record catalogue as XML.
#include "NestedCatalogue.h"
#include "TReelkeepXMLSerialiazerV2_1.h"

#include <QFileInfo>
#include <benchmark/benchmark.h>

using namespace reelkeep;

namespace {

QString savedFile(bool typicalRecords)
{
    const QString name = bench::scratchFolder().filePath(QStringLiteral("catalogue%1.xkdx").arg(int(typicalRecords)));
    TReelkeepXMLSerialiazerV2_1().Save(name, bench::hundredThousandRecords(typicalRecords));
    return name;
}

void XmlSave(benchmark::State& state)
{
    const TZKLists& lists = bench::hundredThousandRecords(state.range(0) != 0);
    const QString fileName = bench::scratchFolder().filePath(QStringLiteral("save.xkdx"));
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
