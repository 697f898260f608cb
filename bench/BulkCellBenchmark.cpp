// The desktop program with the typical 100,000-record catalogue and 50,000 of its records
// selected: a colour chosen in the record panel, and a value picked in the pick window, until
// every selected cell holds it and the grid is repainted. The selection is one block, as
// Select all over a filtered sheet leaves it. (Thousands of separate ranges are left out:
// Qt's own selection handling then takes minutes before the command runs.)
#include "ListController.h"
#include "NestedCatalogue.h"
#include "OpenedCatalogue.h"
#include "RecordCommands.h"
#include "TReelkeepSerialiazerV2_1.h"
#include "TfmFilter.h"
#include "TfmList.h"
#include "TfmMain.h"
#include "TzkRecordPanel.h"

#include <QApplication>
#include <QEventLoop>
#include <QItemSelection>
#include <QTemporaryDir>
#include <QTreeView>
#include <benchmark/benchmark.h>

using namespace reelkeep;

namespace {

constexpr int kSelected = 50'000;

struct OpenCatalogue : bench::OpenedCatalogue {
    // Selects the first kSelected top-level records.
    void select()
    {
        QAbstractItemModel* model = list->grid()->model();
        const QItemSelection selection(model->index(0, 0), model->index(kSelected - 1, 0));
        list->grid()->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
};

void ColourSelected(benchmark::State& state)
{
    OpenCatalogue shell;
    shell.select();
    const QString colours[] = {QStringLiteral("00FF0000"), QStringLiteral("0000FF00")};
    int k = 0;
    for (auto _ : state) {
        emit shell.list->recordPanel()->colourPicked(colours[k++ % 2]);
        shell.list->grid()->viewport()->repaint();
    }
    state.counters["selected"] = double(shell.list->selectedRecords().size());
}

void PickValueSelected(benchmark::State& state)
{
    OpenCatalogue shell;
    shell.select();
    constexpr int kGenre = 17;
    shell.list->records().AutoFill(kGenre);
    TfmFilter* pick = shell.list->records().pickWindow();
    const QString values[] = {QStringLiteral("Мюзикл"), QStringLiteral("Вестерн")};
    int k = 0;
    for (auto _ : state) {
        emit pick->valuePicked(kGenre, values[k++ % 2]);
        shell.list->grid()->viewport()->repaint();
    }
    state.counters["selected"] = double(shell.list->selectedRecords().size());
}

} // namespace

BENCHMARK(ColourSelected)->Iterations(2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(PickValueSelected)->Iterations(2)->Unit(benchmark::kMillisecond)->UseRealTime();
