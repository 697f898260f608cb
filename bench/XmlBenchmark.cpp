// Saving and loading a 100,000-record catalogue as XML, and converting it to .kdx as
// `reelkeep-cli convert` does. `XmlBenchmark --write FILE` saves the typical catalogue
// to FILE instead, so that other tools can be timed on the very file the benchmark reads.
#include "NestedCatalogue.h"
#include "TReelkeepXMLSerialiazerV2_1.h"
#include "TzkReelkeep.h"

#include <benchmark/benchmark.h>

#include <memory>
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

// Reading the XML and saving it as .kdx 2.1 with the loss check of an ordinary save;
// freeing the catalogue is not timed, as the command leaves that to the end of the process.
void XmlToKdx(benchmark::State& state)
{
    const QString xml = savedFile(state.range(0) != 0);
    const QString kdx = bench::scratchFolder().filePath(QStringLiteral("converted.kdx"));
    for (auto _ : state) {
        auto doc = std::make_unique<TzkReelkeep>();
        doc->LoadFromXML(xml);
        if (!doc->SaveIfNothingLost(kdx, CatalogueForm::Kdx21))
            state.SkipWithError("the catalogue would lose something as .kdx");
        state.PauseTiming();
        doc.reset();
        state.ResumeTiming();
    }
}

} // namespace

BENCHMARK(XmlSave)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(XmlLoad)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(XmlToKdx)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

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
