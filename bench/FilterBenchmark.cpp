// Applying a column filter to 100,000 records.
#include "RealisticCatalogue.h"

#include <benchmark/benchmark.h>

using namespace reelkeep;

namespace {

void filterTitles(benchmark::State& state)
{
    const auto list = bench::makeRealisticList(100000);
    const QString mask = QString::fromUtf8("*ма*");
    for (auto _ : state) {
        state.PauseTiming();
        list->SetColumnFilter(1, QString());
        state.ResumeTiming();
        list->SetColumnFilter(1, mask);
    }
    state.counters["visible_rows"] = list->VisibleRowCount();
    state.SetItemsProcessed(state.iterations() * list->RowCount());
}

} // namespace

BENCHMARK(filterTitles)->Unit(benchmark::kMillisecond);
