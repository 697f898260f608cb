#include "StatisticsCommand.h"

#include "ChartData.h"
#include "ChartsPage.h"
#include "ShellState.h"
#include "Statistics.h"
#include "TfmStat.h"
#include "WindowWork.h"

#include <QPointer>
#include <memory>

namespace reelkeep {

void ShowStatistics(const TZKList& list, const std::vector<TzkRow*>& selected, const QString& caption, ShellState& shell,
                    Prompts& prompts, WindowWork& work, QWidget* owner)
{
    struct Figures {
        QStringList lines;
        CollectionCharts sheet;
        CollectionCharts selection;
        bool complete = false;
    };
    auto figures = std::make_shared<Figures>();
    // The worker counts on copies of the texts it needs: an options save may replace the language meanwhile.
    const auto job = [figures, &list, selection = std::vector<const TzkRow*>(selected.begin(), selected.end()),
                      language = shell.options().LanguageTable, other = shell.text("Charts", "Other")](QPromise<void>& promise) {
        figures->lines = StatisticsLines(list, selection, language);
        figures->sheet = ComputeCharts(list, ConsideredRows(list, selection, false), other);
        figures->selection = ComputeCharts(list, selection, other);
        figures->complete = !promise.isCanceled();
    };
    const auto done = [figures, caption, &shell, &prompts, owner = QPointer<QWidget>(owner)] {
        if (!figures->complete || !owner)
            return;
        auto* window = new TfmStat(shell.text("Statistic", "Caption") + QLatin1Char(' ') + caption, figures->lines,
                                   shell.text("Statistic", "Ok"), owner);
        window->addPage(new ChartsPage(std::move(figures->sheet), std::move(figures->selection), shell, prompts),
                        shell.text("Charts", "PageFigures"), shell.text("Charts", "PageCharts"));
        window->open();
    };
    work.start(shell.text("Statistic", "Caption"), job, done);
}

} // namespace reelkeep
