// Loading an XML catalogue of 2,000 records each with a 200 KB poster (400 MB of
// images): the load's time against reading the file's bytes alone, as `cat` does, in
// the same run, and the load's peak memory against the images' size.
#include "NestedCatalogue.h"
#include "ProcessMemory.h"
#include "TReelkeepXMLSerialiazerV2_1.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <random>
#include <string_view>

using namespace reelkeep;

namespace {

constexpr int kRecords = 2000;
constexpr qsizetype kPosterBytes = 200 * 1000;
constexpr double kImageBytes = double(kRecords) * double(kPosterBytes);

// Made once per process; the catalogue is freed before anything is timed.
const QString& postersFile()
{
    static const QString name = [] {
        const QString file = bench::scratchFolder().filePath(QStringLiteral("posters.xkdx"));
        TZKLists lists(BuiltInColumnDefinitions(), LocaleFormats::russian());
        TZKList& list = *lists.AddList(0, QStringLiteral("Posters"));
        std::mt19937 random(21);
        for (int r = 0; r < kRecords; ++r) {
            TzkRow* row = list.AddRow();
            row->Fields[csTitle] = QStringLiteral("Film %1").arg(r);
            // Random bytes, as compressed image data is.
            QByteArray poster(kPosterBytes, Qt::Uninitialized);
            for (char& byte : poster)
                byte = char(random());
            list.Images.AddImage(poster, row->ID);
        }
        TReelkeepXMLSerialiazerV2_1().Save(file, lists);
        return file;
    }();
    return name;
}

// What `cat FILE > /dev/null` does: the file's bytes read in large blocks.
double readSeconds(const QString& fileName)
{
    QElapsedTimer timer;
    timer.start();
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    QByteArray block(1 << 20, Qt::Uninitialized);
    while (file.read(block.data(), block.size()) > 0) {
    }
    return double(timer.nsecsElapsed()) / 1e9;
}

void XmlLoadPosters(benchmark::State& state)
{
    const QString& file = postersFile();
    double read = 0;
    double load = 0;
    for (auto _ : state) {
        state.PauseTiming();
        read += readSeconds(file);
        state.ResumeTiming();
        QElapsedTimer timer;
        timer.start();
        TReelkeepXMLSerialiazerV2_1 reader;
        reader.OnProgress = [](int) {}; // as the program loads, counting the records first
        auto lists = reader.Load(file);
        load += double(timer.nsecsElapsed()) / 1e9;
        if (lists->List(0)->Images.Count() != kRecords)
            state.SkipWithError("the posters did not all come back");
        state.PauseTiming();
        lists.reset();
        state.ResumeTiming();
    }
    state.counters["file_MB"] = double(QFile(file).size()) / 1e6;
    state.counters["cat_ms"] = read * 1e3 / double(state.iterations());
    state.counters["load_to_cat"] = load / read;
}

// Run as a fresh child process: loads the file and prints the resident-set peak growth.
int measureLoad(const QString& fileName)
{
    const double before = bench::StatusBytes("VmRSS");
    TReelkeepXMLSerialiazerV2_1 reader;
    reader.OnProgress = [](int) {};
    auto lists = reader.Load(fileName);
    std::printf("%.0f\n", bench::StatusBytes("VmHWM") - before);
    return lists->List(0)->Images.Count() == kRecords ? 0 : 1;
}

// The aim is a peak of at most 1.3 × the images' size.
void XmlLoadPostersPeakMemory(benchmark::State& state)
{
    const QString& file = postersFile();
    for (auto _ : state) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--measure-load"), file});
        child.waitForFinished(-1);
        const double peak = QString::fromLatin1(child.readAllStandardOutput()).trimmed().toDouble();
        if (child.exitCode() != 0 || peak <= 0) {
            state.SkipWithError("the measuring child failed");
            return;
        }
        state.counters["peak_MB"] = peak / 1e6;
        state.counters["peak_ratio"] = peak / kImageBytes;
    }
}

} // namespace

BENCHMARK(XmlLoadPosters)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(XmlLoadPostersPeakMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 3 && std::string_view(argv[1]) == "--measure-load")
        return measureLoad(QString::fromLocal8Bit(argv[2]));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
