#include "StatisticsCommand.h"

#include "ChartData.h"
#include "ChartsPage.h"
#include "ShellState.h"
#include "Statistics.h"
#include "TfmStat.h"

namespace reelkeep {

void ShowStatistics(const TZKList& list, const std::vector<TzkRow*>& selected, const QString& caption, ShellState& shell,
                    Prompts& prompts, QWidget* owner)
{
    const std::vector<const TzkRow*> selection(selected.begin(), selected.end());
    auto* window = new TfmStat(shell.text("Statistic", "Caption") + QLatin1Char(' ') + caption,
                               StatisticsLines(list, selection, shell.options().LanguageTable), shell.text("Statistic", "Ok"),
                               owner);
    const QString other = shell.text("Charts", "Other");
    window->addPage(new ChartsPage(ComputeCharts(list, ConsideredRows(list, selection, false), other),
                                   ComputeCharts(list, selection, other), shell, prompts),
                    shell.text("Charts", "PageFigures"), shell.text("Charts", "PageCharts"));
    window->open();
}

} // namespace reelkeep
