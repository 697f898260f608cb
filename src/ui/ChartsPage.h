// The charts page of the statistics window: films and total size per year, films per
// genre and the spread of lengths, for the sheet or for the selected records; each
// chart saved as PNG or SVG from its context menu.
#pragma once

#include "ChartData.h"

#include <QWidget>
#include <array>

class QChartView;
class QComboBox;
class QGridLayout;
class QMenu;

namespace reelkeep {

class Prompts;
class ShellState;

class ChartsPage : public QWidget {
    Q_OBJECT
public:
    enum Chart { FilmsPerYear, SizePerYear, FilmsPerGenre, LengthBands, ChartCount };

    ChartsPage(CollectionCharts sheet, CollectionCharts selection, ShellState& shell, Prompts& prompts, QWidget* parent = nullptr);

    // Made, with its chart drawn, once the page is first shown; null before.
    QChartView* view(Chart chart) const { return m_views[chart]; }
    QMenu* contextMenu(Chart chart) const { return m_menus[chart]; }
    QComboBox* scope() const { return m_scope; }
    // Writes the chart as an image, PNG or SVG by the path's extension; false, with the
    // reason in error, when the file could not be written (an older file stays as it was).
    bool SaveChart(Chart chart, const QString& path, QString* error) const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void makeViews();
    void showCharts();
    void saveChartAs(Chart chart);

    CollectionCharts m_sheet;
    CollectionCharts m_selection;
    ShellState& m_shell;
    Prompts& m_prompts;
    QComboBox* m_scope;
    QGridLayout* m_grid;
    std::array<QChartView*, ChartCount> m_views{};
    std::array<QMenu*, ChartCount> m_menus{};
    bool m_shown = false;
};

} // namespace reelkeep
