// Writing and reading a 20,000-record catalogue as an .xls workbook.
#include "ExcelWorkbook.h"
#include "NestedCatalogue.h"

#include <QFileInfo>
#include <benchmark/benchmark.h>

using namespace reelkeep;

namespace {

constexpr int kRows = 20000;

const TZKLists& catalogue()
{
    static const auto lists = bench::makeNestedCatalogue(kRows);
    return *lists;
}

void ExcelSave(benchmark::State& state)
{
    const QString fileName = bench::scratchFolder().filePath(QStringLiteral("save.xls"));
    for (auto _ : state)
        SaveToExcel(fileName, catalogue());
    state.counters["MB"] = double(QFileInfo(fileName).size()) / 1e6;
}

void ExcelLoad(benchmark::State& state)
{
    const QString fileName = bench::scratchFolder().filePath(QStringLiteral("load.xls"));
    SaveToExcel(fileName, catalogue());
    for (auto _ : state) {
        TZKLists lists(BuiltInColumnDefinitions(), LocaleFormats::russian());
        LoadFromExcel(fileName, lists);
        benchmark::DoNotOptimize(lists);
        state.PauseTiming();
        lists.Lists.clear();
        state.ResumeTiming();
    }
}

} // namespace

BENCHMARK(ExcelSave)->Unit(benchmark::kMillisecond);
BENCHMARK(ExcelLoad)->Unit(benchmark::kMillisecond);
