// A realistic catalogue of one list with some nesting, for the file form benchmarks.
#pragma once

#include "TZKLists.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <memory>

namespace reelkeep::bench {

// The records of makeRealisticList, with every 20th record a group holding the next
// three (15 % of the records nested, the catalogue's rows otherwise as generated).
// Full records are heavy (long descriptions, about 670 bytes a record as format 2.1);
// typical ones have short descriptions and cast lists, about 300 bytes a record, so
// that 100,000 of them make the 30 MB of a typical large catalogue.
enum class RecordSize { Full, Typical };
std::unique_ptr<TZKLists> makeNestedCatalogue(int rows, RecordSize size = RecordSize::Full);

// The 100,000-record catalogues the file form benchmarks share, made once per process.
// A benchmark argument of 0 picks the full records, 1 the typical ones.
const TZKLists& hundredThousandRecords(bool typicalRecords);

// A folder for the benchmark's files, removed when the process ends.
const QTemporaryDir& scratchFolder();

// Times saving the shared catalogue (argument 0 full, 1 typical) with one serializer.
template <class Serializer>
void TimeSave(benchmark::State& state, const QString& fileName)
{
    const TZKLists& lists = hundredThousandRecords(state.range(0) != 0);
    const QString path = scratchFolder().filePath(fileName);
    for (auto _ : state)
        Serializer().Save(path, lists);
    state.counters["MB"] = double(QFileInfo(path).size()) / 1e6;
}

// Times loading a saved file with one serializer; freeing the result is not timed.
template <class Serializer>
void TimeLoad(benchmark::State& state, const QString& path)
{
    for (auto _ : state) {
        Serializer reader;
        reader.OnProgress = [](int) {};
        auto lists = reader.Load(path);
        benchmark::DoNotOptimize(lists);
        state.PauseTiming();
        lists.reset();
        state.ResumeTiming();
    }
}

} // namespace reelkeep::bench
