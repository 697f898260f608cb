// Adding a folder of 400 small videos through the list window (offscreen, by its menu
// command) against `reelkeep-cli add` on the same folder, each run into an empty
// catalogue. Counters: the CPU of the whole work (this process or the tool, with the
// media helpers), and for the window the longest the event loop went without a turn
// and the longest between two repaints of the progress window.
#include "FileEntryCommands.h"
#include "ListController.h"
#include "MainMenu.h"
#include "Prompts.h"
#include "TZKList.h"
#include "TfmList.h"
#include "TfmMain.h"
#include "TzkReelkeep.h"
#include "VideoFolder.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>

using namespace reelkeep;

namespace {

// The folder dialog answers the benchmark's folder; every question its first button.
class FolderPrompts : public Prompts {
public:
    explicit FolderPrompts(QString folder)
        : m_folder(std::move(folder))
    {
    }
    PromptButton ask(const Prompt& prompt) override { return prompt.buttons.front(); }
    QString chooseFileToOpen(const QString&, const QStringList&) override { return {}; }
    SaveChoice chooseFileToSave(const QString&, const QStringList&) override { return {}; }
    QStringList chooseFilesToOpen(const QString&, const QStringList&) override { return {}; }
    QString chooseFolder(const QString&, const QString&) override { return m_folder; }

private:
    QString m_folder;
};

// Gaps between repaints of the walk's progress window.
class PaintGaps : public QObject {
public:
    void restart() { m_sincePaint.invalidate(); }
    qint64 longest = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType()
            && static_cast<QWidget*>(watched)->window()->objectName() == QLatin1String("fmWorkProgress")) {
            if (m_sincePaint.isValid())
                longest = std::max(longest, m_sincePaint.elapsed());
            m_sincePaint.start();
        }
        return false;
    }

private:
    QElapsedTimer m_sincePaint;
};

double cpuSeconds(int who)
{
    rusage usage{};
    getrusage(who, &usage);
    const auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void writeEmptyCatalogue(const QString& path)
{
    QFile::remove(path);
    TzkReelkeep doc;
    doc.AddList(0, QStringLiteral("Films"));
    doc.SaveToFile(path);
}

void WindowAddFolder(benchmark::State& state)
{
    const bench::VideoFolder& folder = bench::VideoFolder::Get();
    QTemporaryDir home;
    FolderPrompts prompts(folder.path());
    TfmMain main(home.path(), &prompts);
    main.resize(1100, 800);
    main.show();
    const QString file = home.filePath(QStringLiteral("walk.kdx"));
    PaintGaps paints;
    qApp->installEventFilter(&paints);
    qint64 longestTurn = 0;
    double cpu = 0;
    for (auto _ : state) {
        state.PauseTiming();
        writeEmptyCatalogue(file);
        TfmList* list = main.OpenFile(file);
        if (!list->controller().document() || list->controller().isLoading()) {
            QEventLoop loop;
            QObject::connect(list, &TfmList::loadDone, &loop, &QEventLoop::quit);
            loop.exec();
        }
        paints.restart();
        QElapsedTimer sinceTurn;
        QTimer ticker;
        QObject::connect(&ticker, &QTimer::timeout, [&] { longestTurn = std::max(longestTurn, sinceTurn.restart()); });
        state.ResumeTiming();

        const double before = cpuSeconds(RUSAGE_SELF) + cpuSeconds(RUSAGE_CHILDREN);
        sinceTurn.start();
        ticker.start(5);
        QEventLoop entry;
        QObject::connect(&list->files(), &FileEntryCommands::entryFinished, &entry, &QEventLoop::quit);
        main.menus().action("miAddFromDir")->trigger();
        entry.exec();
        ticker.stop();
        cpu += cpuSeconds(RUSAGE_SELF) + cpuSeconds(RUSAGE_CHILDREN) - before;

        state.PauseTiming();
        if (list->controller().currentList()->RowCount() != bench::kVideoFiles)
            state.SkipWithError("wrong record count");
        list->controller().discardChanges();
        list->close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
    qApp->removeEventFilter(&paints);
    state.counters["cpu_s"] = cpu / double(state.iterations());
    state.counters["longest_turn_ms"] = double(longestTurn);
    state.counters["longest_repaint_gap_ms"] = double(paints.longest);
}

void CliAddFolder(benchmark::State& state)
{
    const bench::VideoFolder& folder = bench::VideoFolder::Get();
    QTemporaryDir home;
    const QString file = home.filePath(QStringLiteral("walk.kdx"));
    double cpu = 0;
    for (auto _ : state) {
        state.PauseTiming();
        writeEmptyCatalogue(file);
        state.ResumeTiming();
        const double before = cpuSeconds(RUSAGE_CHILDREN);
        QProcess cli;
        cli.setStandardOutputFile(QProcess::nullDevice());
        cli.start(QStringLiteral(REELKEEP_CLI_PATH), {QStringLiteral("--home"), home.path(), QStringLiteral("add"), file, folder.path()});
        if (!cli.waitForFinished(-1) || cli.exitCode() != 0)
            state.SkipWithError("reelkeep-cli add failed");
        cpu += cpuSeconds(RUSAGE_CHILDREN) - before;
    }
    state.counters["cpu_s"] = cpu / double(state.iterations());
}

} // namespace

BENCHMARK(WindowAddFolder)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(CliAddFolder)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
