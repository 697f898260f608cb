// Six frames of a two-hour 1280×720 H.264 film with a key frame every 10 s, as the
// frame chooser takes them: one helper started, then a frame at each of its points.
// The aim is at most 1.5 s for the six.
#include "FrameGrabber.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <stdexcept>

using namespace reelkeep;

namespace {

// Made once per process with the ffmpeg program: one frame a second keeps it cheap.
const QString& twoHourFilm()
{
    static QTemporaryDir dir;
    static const QString name = [] {
        const QString file = dir.filePath(QStringLiteral("film.mp4"));
        QProcess ffmpeg;
        ffmpeg.start(QStringLiteral("ffmpeg"),
                     QStringLiteral("-v error -nostdin -y -f lavfi -i testsrc=size=1280x720:rate=1:duration=7200 "
                                    "-c:v libx264 -preset ultrafast -g 10 -pix_fmt yuv420p")
                             .split(QLatin1Char(' '))
                         + QStringList{file});
        if (!ffmpeg.waitForFinished(-1) || ffmpeg.exitCode() != 0)
            throw std::runtime_error("ffmpeg could not make the film");
        return file;
    }();
    return name;
}

void SixChooserFrames(benchmark::State& state)
{
    const QString& film = twoHourFilm();
    qint64 bytes = 0;
    for (auto _ : state) {
        FrameGrabber grabber;
        for (const int percent : kChooserPercents)
            bytes += grabber.Grab({film, double(percent)}).size();
    }
    state.counters["jpeg_KB_each"] = double(bytes) / 1e3 / double(state.iterations()) / double(kChooserPercents.size());
}

} // namespace

BENCHMARK(SixChooserFrames)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
