// Sorting 100,000 records by a text, a whole-number and a date column.
#include "RealisticCatalogue.h"

#include <benchmark/benchmark.h>

#include <random>

using namespace reelkeep;

namespace {

constexpr int kRows = 100000;

TZKList& sharedList()
{
    static const auto list = bench::makeRealisticList(kRows);
    return *list;
}

void sortBy(benchmark::State& state, int column, std::uint8_t kind, bool descending)
{
    TZKList& list = sharedList();
    std::mt19937 random(7);
    for (auto _ : state) {
        state.PauseTiming();
        for (int i = list.RowCount() - 1; i > 0; --i)
            list.SwapRows(i, std::uniform_int_distribution<int>(0, i)(random));
        list.SortColumn = -1; // a new column keeps the direction set here
        list.SortDescending = descending;
        state.ResumeTiming();
        list.Sort(column, kind);
    }
    state.SetItemsProcessed(state.iterations() * list.RowCount());
}

} // namespace

BENCHMARK_CAPTURE(sortBy, title_text, 1, 0, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(sortBy, title_text_descending, 1, 0, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(sortBy, size_number, 3, 1, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(sortBy, added_date, 16, 2, false)->Unit(benchmark::kMillisecond);
