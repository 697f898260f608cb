// The recovery write of 100,000 records: the GUI thread's part (the copy of the
// records) and the whole of it (copy and atomic .xkdx write), full and typical records.
#include "ListsCopy.h"
#include "NestedCatalogue.h"
#include "RecoveryJournal.h"

namespace reelkeep::bench {
namespace {

void RecoveryCopy(benchmark::State& state)
{
    const TZKLists& lists = hundredThousandRecords(state.range(0) != 0);
    for (auto _ : state)
        benchmark::DoNotOptimize(CopyOfLists(lists));
}

void RecoveryWrite(benchmark::State& state)
{
    const TZKLists& lists = hundredThousandRecords(state.range(0) != 0);
    RecoveryJournal journal(scratchFolder().filePath(QStringLiteral("films.kdx")), CatalogueForm::Kdx21, QString(),
                            scratchFolder().filePath(QStringLiteral("recovery")));
    for (auto _ : state) {
        const std::unique_ptr<TZKLists> copy = CopyOfLists(lists);
        journal.write(*copy);
    }
    state.counters["MB"] = static_cast<double>(QFileInfo(journal.journalFile()).size()) / 1e6;
}

} // namespace

BENCHMARK(RecoveryCopy)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(RecoveryWrite)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace reelkeep::bench

BENCHMARK_MAIN();
