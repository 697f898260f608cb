// The desktop program with the typical 100,000-record catalogue: from the open command
// to the grid showing its first rows (and the longest the interface went without
// answering meanwhile), a header click re-sorting it, rebuilding the grid model, a
// filter keystroke, a filter window's value list, a quick-search step, one keystroke
// in a record panel edit stored and its row redrawn, and the peak memory with the
// catalogue open against what `reelkeep-cli dump` needs.
#include "GridModel.h"
#include "ListController.h"
#include "NestedCatalogue.h"
#include "FirstButtonPrompts.h"
#include "PrivateStateFolder.h"
#include "TReelkeepSerialiazerV2_1.h"
#include "FilterForms.h"
#include "TfmFilter.h"
#include "TfmList.h"
#include "TfmMain.h"
#include "TzkBtnEdit.h"
#include "TzkRecordPanel.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <string_view>

using namespace reelkeep;

namespace {

using bench::FirstButtonPrompts;

QString typicalCatalogue()
{
    const QString name = bench::scratchFolder().filePath(QStringLiteral("typical.kdx"));
    if (!QFileInfo::exists(name))
        TReelkeepSerialiazerV2_1().Save(name, bench::hundredThousandRecords(true));
    return name;
}

struct Shell {
    QTemporaryDir home;
    FirstButtonPrompts prompts;
    TfmMain main{home.path(), &prompts};
    Shell()
    {
        main.resize(1280, 1000);
        main.show();
    }
};

// Opens the file and returns when its first rows are painted; the longest pause of
// the event loop meanwhile goes to longestPause (milliseconds).
TfmList* openAndPaint(TfmMain& main, const QString& file, qint64* longestPause = nullptr)
{
    QElapsedTimer sinceTick;
    qint64 longest = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        longest = std::max(longest, sinceTick.restart());
    });
    sinceTick.start();
    ticker.start(5);
    TfmList* list = main.OpenFile(file);
    QEventLoop loop;
    QObject::connect(list, &TfmList::loadDone, &loop, &QEventLoop::quit);
    loop.exec();
    list->grid()->viewport()->repaint();
    ticker.stop();
    if (longestPause)
        *longestPause = longest;
    return list;
}

void OpenToFirstRows(benchmark::State& state)
{
    const QString file = typicalCatalogue();
    Shell shell;
    qint64 worstPause = 0;
    for (auto _ : state) {
        qint64 pause = 0;
        TfmList* list = openAndPaint(shell.main, file, &pause);
        worstPause = std::max(worstPause, pause);
        state.PauseTiming();
        list->close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
    state.counters["longest_pause_ms"] = double(worstPause);
}

void HeaderClickSort(benchmark::State& state)
{
    Shell shell;
    TfmList* list = openAndPaint(shell.main, typicalCatalogue());
    for (auto _ : state) {
        list->controller().sortBy(1);
        list->grid()->viewport()->repaint();
    }
}

void ModelRebuild(benchmark::State& state)
{
    Shell shell;
    TfmList* list = openAndPaint(shell.main, typicalCatalogue());
    for (auto _ : state)
        list->controller().model()->rebuild();
}

// One more character typed into a filter until the grid shows the result: the title
// filter alternates between two masks, each a change of one character.
void FilterOneMoreCharacter(benchmark::State& state)
{
    Shell shell;
    TfmList* list = openAndPaint(shell.main, typicalCatalogue());
    const QString masks[] = {QString::fromUtf8("*а*"), QString::fromUtf8("*ан*")};
    int k = 0;
    for (auto _ : state) {
        list->controller().setColumnFilter(state.range(0), masks[k++ % 2]);
        list->grid()->viewport()->repaint();
    }
    state.counters["rows_shown"] = double(list->controller().currentList()->VisibleRowCount());
}

// Choosing a Filter item until its window shows the value list: the title column (about
// 67,000 distinct values) and the genre column (parts of a few dozen words).
void FilterWindowValueList(benchmark::State& state)
{
    Shell shell;
    TfmList* list = openAndPaint(shell.main, typicalCatalogue());
    const int column = int(state.range(0));
    for (auto _ : state) {
        list->ShowFilter(column);
        // The values are made on a worker; the benchmark times the window until they are shown.
        TfmFilter* form = list->filterForms().form(column);
        if (!form->hasValues()) {
            QEventLoop shown;
            QObject::connect(form, &TfmFilter::valuesShown, &shown, &QEventLoop::quit);
            shown.exec();
        }
        form->repaint();
        state.PauseTiming();
        state.counters["values"] = double(list->filterForms().form(column)->valueTexts().size());
        list->filterForms().form(column)->close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
}

// A quick-search step at its slowest: Enter with a text no record holds walks all
// 100,000 records of the display order and wraps once.
void QuickSearchStep(benchmark::State& state)
{
    Shell shell;
    TfmList* list = openAndPaint(shell.main, typicalCatalogue());
    QLineEdit* box = list->findChild<QComboBox*>(QStringLiteral("cbSearch"))->lineEdit();
    for (const QChar c : QStringLiteral("zzz")) {
        QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(box, &key);
    }
    for (auto _ : state) {
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(box, &enter);
        list->grid()->viewport()->repaint();
    }
}

// One character typed into the title edit of the record panel until the cell holds it and
// what that changed is repainted (its grid row and the edit): the record shown is the last
// one of the display order, so finding its row costs the most.
void PanelEditStored(benchmark::State& state)
{
    Shell shell;
    TfmList* list = openAndPaint(shell.main, typicalCatalogue());
    GridModel* model = list->controller().model();
    list->focusRecord(model->rowAt(model->lastIndex()));
    QLineEdit* title = list->recordPanel()->edit(1)->edit();
    title->setFocus();
    title->end(false);
    const TzkRow* shown = list->currentRecord();
    QTreeView* grid = list->grid();
    const QModelIndex index = list->controller().model()->indexOf(shown);
    QRect row = grid->visualRect(index);
    row.setLeft(0);
    row.setRight(grid->viewport()->width());
    const QChar keys[] = {QLatin1Char('x'), QLatin1Char('y')};
    int k = 0;
    for (auto _ : state) {
        // Alternately one character more and one less, so the cell stays short.
        if (k++ % 2 == 0) {
            QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(keys[k % 2]));
            QApplication::sendEvent(title, &key);
        } else {
            QKeyEvent back(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
            QApplication::sendEvent(title, &back);
        }
        // The grid row is painted, then whatever else the change asked for (the edit).
        grid->viewport()->repaint(row);
        QApplication::processEvents();
    }
    state.counters["row_on_screen"] = grid->viewport()->rect().intersects(row) ? 1 : 0;
    state.counters["cell_length"] = double(shown->Fields[1].size());
    state.counters["modified"] = list->controller().isModified() ? 1 : 0;
}

// The peak resident set of this process image in KiB. (getrusage would count the
// benchmark parent's memory too: its peak survives fork and exec.)
long peakKib()
{
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmHWM:") {
            long kib = 0;
            status >> kib;
            return kib;
        }
        status.ignore(1 << 10, '\n');
    }
    return 0;
}

// Child modes: the peak resident set of the desktop program with the file open, and of
// reelkeep-cli dump on it (measured from a child of its own), in KiB.
int measureOpen(const QString& file)
{
    Shell shell;
    openAndPaint(shell.main, file);
    std::printf("%ld\n", peakKib());
    return 0;
}

int measureCliDump(const QString& file)
{
    QProcess cli;
    cli.setStandardOutputFile(QProcess::nullDevice());
    cli.start(QStringLiteral(REELKEEP_CLI_PATH), {QStringLiteral("dump"), file});
    cli.waitForFinished(-1);
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    std::printf("%ld\n", usage.ru_maxrss);
    return cli.exitCode();
}

double childFigure(const char* mode, const QString& file)
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(mode), file});
    child.waitForFinished(-1);
    return QString::fromLatin1(child.readAllStandardOutput()).trimmed().toDouble();
}

void PeakMemoryOpen(benchmark::State& state)
{
    const QString file = typicalCatalogue();
    for (auto _ : state) {
        const double gui = childFigure("--measure-open", file);
        const double cli = childFigure("--measure-cli-dump", file);
        state.counters["gui_MB"] = gui * 1024 / 1e6;
        state.counters["cli_dump_MB"] = cli * 1024 / 1e6;
        state.counters["ratio"] = cli > 0 ? gui / cli : 0;
    }
}

} // namespace

BENCHMARK(OpenToFirstRows)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(HeaderClickSort)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ModelRebuild)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(FilterOneMoreCharacter)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(FilterWindowValueList)->Arg(1)->Arg(17)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(QuickSearchStep)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(PanelEditStored)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(PeakMemoryOpen)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    reelkeep::bench::UsePrivateStateFolder();
    QApplication app(argc, argv);
    if (argc == 3 && std::string_view(argv[1]) == "--measure-open")
        return measureOpen(QString::fromLocal8Bit(argv[2]));
    if (argc == 3 && std::string_view(argv[1]) == "--write-catalogue") {
        TReelkeepSerialiazerV2_1().Save(QString::fromLocal8Bit(argv[2]), bench::hundredThousandRecords(true));
        return 0;
    }
    if (argc == 3 && std::string_view(argv[1]) == "--measure-cli-dump")
        return measureCliDump(QString::fromLocal8Bit(argv[2]));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
