// Saving and loading a 100,000-record catalogue as XML.
#include "NestedCatalogue.h"
#include "TReelkeepXMLSerialiazerV2_1.h"

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
    bench::TimeSave<TReelkeepXMLSerialiazerV2_1>(state, QStringLiteral("save.xkdx"));
}

void XmlLoad(benchmark::State& state)
{
    bench::TimeLoad<TReelkeepXMLSerialiazerV2_1>(state, savedFile(state.range(0) != 0));
}

} // namespace

BENCHMARK(XmlSave)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(XmlLoad)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
