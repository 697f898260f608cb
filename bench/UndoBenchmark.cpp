// Undo in the desktop program with the typical 100,000-record catalogue: undo and redo of
// deleting 50,000 selected records (the grid and the selection shown again included), and
// what one keystroke in a field costs with its undo step (merged into the field's step, or
// a new step in another record while the history is full).
#include "OpenedCatalogue.h"
#include "GridModel.h"
#include "ListController.h"
#include "NestedCatalogue.h"
#include "TReelkeepSerialiazerV2_1.h"
#include "TZKList.h"
#include "TfmList.h"
#include "TfmMain.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QItemSelection>
#include <QTemporaryDir>
#include <QTreeView>
#include <benchmark/benchmark.h>

using namespace reelkeep;

namespace {

constexpr int kSelected = 50'000;

struct OpenCatalogue : bench::OpenedCatalogue {
    ListController& controller() { return list->controller(); }
};

void UndoRedoDeleteHalf(benchmark::State& state)
{
    OpenCatalogue shell;
    QAbstractItemModel* model = shell.list->grid()->model();
    shell.list->grid()->selectionModel()->select(QItemSelection(model->index(0, 0), model->index(kSelected - 1, 0)),
                                                 QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    shell.controller().deleteRows(shell.controller().model()->outermostRows(shell.list->grid()->selectionModel()->selectedRows()));
    QUndoStack& stack = shell.controller().history().stack();
    QElapsedTimer timer;
    double undoMs = 0;
    double redoMs = 0;
    for (auto _ : state) {
        timer.start();
        stack.undo();
        shell.list->grid()->viewport()->repaint();
        undoMs = std::max(undoMs, timer.nsecsElapsed() / 1e6);
        timer.start();
        stack.redo();
        shell.list->grid()->viewport()->repaint();
        redoMs = std::max(redoMs, timer.nsecsElapsed() / 1e6);
    }
    state.counters["undo_ms"] = undoMs;
    state.counters["redo_ms"] = redoMs;
    state.counters["records"] = shell.controller().currentList()->RowCount();
}

// One keystroke after another in one field: each merges into the field's step.
void KeystrokeInOneField(benchmark::State& state)
{
    OpenCatalogue shell;
    TzkRow* row = shell.controller().currentList()->Row(10);
    QString text = row->Fields[csTitle];
    for (auto _ : state)
        shell.controller().setCell(row, csTitle, text += QLatin1Char('a'));
    state.counters["steps"] = shell.controller().history().stack().count();
}

// A keystroke in another record each time: a new step, the oldest dropped once 200 are kept.
void KeystrokeInAnotherRecord(benchmark::State& state)
{
    OpenCatalogue shell;
    TZKList* list = shell.controller().currentList();
    int k = 0;
    for (auto _ : state) {
        TzkRow* row = list->Row(k++ % list->RowCount());
        shell.controller().setCell(row, csTitle, row->Fields[csTitle] + QLatin1Char('a'));
    }
    state.counters["steps"] = shell.controller().history().stack().count();
}

// The same keystrokes with the history filled by other changes before: a baseline of the
// cell change and the grid's redraw, which no undo step can avoid, is KeystrokeInOneField
// less the step; the step itself is timed here on its own.
void StepOfAKeystroke(benchmark::State& state)
{
    OpenCatalogue shell;
    TZKList* list = shell.controller().currentList();
    UndoHistory& history = shell.controller().history();
    int k = 0;
    for (auto _ : state) {
        TzkRow* row = list->Row(k++ % list->RowCount());
        history.push(std::make_unique<CellsStep>(
            std::vector<CellsStep::Change>{{row, csTitle, row->Fields[csTitle], row->Fields[csTitle]}}, true));
    }
}

} // namespace

BENCHMARK(UndoRedoDeleteHalf)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(KeystrokeInOneField)->Iterations(20000)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(KeystrokeInAnotherRecord)->Iterations(20000)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(StepOfAKeystroke)->Iterations(20000)->Unit(benchmark::kMicrosecond)->UseRealTime();
