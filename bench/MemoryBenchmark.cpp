// Memory taken by 100,000 full records: the model's own count and the growth of
// the resident set while the list is built.
#include "RealisticCatalogue.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <malloc.h>
#include <unistd.h>

using namespace reelkeep;

namespace {

double residentBytes()
{
    long totalPages = 0;
    long residentPages = 0;
    std::ifstream("/proc/self/statm") >> totalPages >> residentPages;
    return double(residentPages) * double(sysconf(_SC_PAGESIZE));
}

void memoryOfRecords(benchmark::State& state)
{
    constexpr int kRows = 100000;
    for (auto _ : state) {
        malloc_trim(0);
        const double before = residentBytes();
        const auto list = bench::makeRealisticList(kRows);
        const double after = residentBytes();
        state.counters["model_bytes_per_record"] = double(list->MemoryUsage()) / kRows;
        state.counters["rss_bytes_per_record"] = (after - before) / kRows;
    }
}

} // namespace

BENCHMARK(memoryOfRecords)->Iterations(1)->Unit(benchmark::kMillisecond);
