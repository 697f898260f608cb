// Finding duplicates among 100,000 records, by title and by media.
#include "DuplicateFinder.h"
#include "RealisticCatalogue.h"

#include <benchmark/benchmark.h>

using namespace reelkeep;

namespace {

void findDuplicates(benchmark::State& state, DuplicateRule rule)
{
    const auto list = bench::makeRealisticList(100000);
    std::size_t groups = 0;
    for (auto _ : state) {
        const auto found = FindDuplicates({{0, 0, list.get()}}, rule);
        groups = found.size();
        benchmark::DoNotOptimize(found.data());
    }
    state.counters["groups"] = static_cast<double>(groups);
    state.SetItemsProcessed(state.iterations() * list->RowCount());
}

void byTitle(benchmark::State& state)
{
    findDuplicates(state, DuplicateRule::Title);
}

void byMedia(benchmark::State& state)
{
    findDuplicates(state, DuplicateRule::Media);
}

} // namespace

BENCHMARK(byTitle)->Unit(benchmark::kMillisecond);
BENCHMARK(byMedia)->Unit(benchmark::kMillisecond);
