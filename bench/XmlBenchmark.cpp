// Saving and loading a 100,000-record catalogue as XML. `XmlBenchmark --write FILE`
// saves the typical catalogue to FILE instead, so that other tools can be timed on
// the very file the benchmark reads.
#include "NestedCatalogue.h"
#include "TReelkeepXMLSerialiazerV2_1.h"

#include <benchmark/benchmark.h>

#include <string_view>

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

int main(int argc, char** argv)
{
    if (argc == 3 && std::string_view(argv[1]) == "--write") {
        TReelkeepXMLSerialiazerV2_1().Save(QString::fromLocal8Bit(argv[2]), bench::hundredThousandRecords(true));
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
