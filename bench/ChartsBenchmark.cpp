// The chart data of the statistics window for 100,000 records.
#include "ChartData.h"
#include "RealisticCatalogue.h"
#include "Statistics.h"

#include <benchmark/benchmark.h>

using namespace reelkeep;

namespace {

void computeCharts(benchmark::State& state)
{
    const auto list = bench::makeRealisticList(100000);
    const std::vector<const TzkRow*> rows = ConsideredRows(*list, {}, false);
    std::size_t genres = 0;
    for (auto _ : state) {
        const CollectionCharts charts = ComputeCharts(*list, rows, QStringLiteral("other"));
        genres = charts.FilmsPerGenre.size();
        benchmark::DoNotOptimize(charts.FilmsPerYear.data());
    }
    state.counters["genre_bars"] = static_cast<double>(genres);
    state.SetItemsProcessed(state.iterations() * list->RowCount());
}

} // namespace

BENCHMARK(computeCharts)->Unit(benchmark::kMillisecond);
