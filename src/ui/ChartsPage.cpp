#include "ChartsPage.h"

#include "CatalogueForms.h"
#include "ChartLabels.h"
#include "Prompts.h"
#include "ShellState.h"

#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <QVBoxLayout>
#include <QValueAxis>

namespace reelkeep {
namespace {

const char* const kTitleKeys[] = {"FilmsPerYear", "SizePerYear", "FilmsPerGenre", "LengthBands"};

const std::vector<ChartBar>& barsOf(const CollectionCharts& charts, ChartsPage::Chart chart)
{
    switch (chart) {
    case ChartsPage::FilmsPerYear:
        return charts.FilmsPerYear;
    case ChartsPage::SizePerYear:
        return charts.SizePerYear;
    case ChartsPage::FilmsPerGenre:
        return charts.FilmsPerGenre;
    default:
        return charts.LengthBands;
    }
}

// A text with its mnemonic mark, for menu items and labels.
QString marked(const ShellState& shell, const char* key)
{
    return shell.options().LanguageTable.GetValue(QStringLiteral("Charts"), QString::fromLatin1(key));
}

// ordered: the bars' labels follow one another (years, lengths), so some may be left out.
QChart* barChart(const QString& title, const std::vector<ChartBar>& bars, bool ordered)
{
    auto* chart = new QChart;
    chart->setTitle(title);
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->legend()->hide();
    auto* set = new QBarSet(title);
    QStringList labels;
    std::int64_t highest = 0;
    for (const ChartBar& bar : bars) {
        *set << static_cast<qreal>(bar.Value);
        labels << bar.Label;
        highest = std::max(highest, bar.Value);
    }
    auto* series = new QBarSeries;
    series->append(set);
    chart->addSeries(series);
    AttachBarLabels(chart, series, labels, ordered);
    auto* values = new QValueAxis;
    values->setRange(0, static_cast<qreal>(std::max<std::int64_t>(highest, 1)));
    values->setLabelFormat(QStringLiteral("%.0f"));
    values->applyNiceNumbers();
    chart->addAxis(values, Qt::AlignLeft);
    series->attachAxis(values);
    return chart;
}

} // namespace

ChartsPage::ChartsPage(CollectionCharts sheet, CollectionCharts selection, ShellState& shell, Prompts& prompts, QWidget* parent)
    : QWidget(parent), m_sheet(std::move(sheet)), m_selection(std::move(selection)), m_shell(shell), m_prompts(prompts), m_scope(new QComboBox), m_grid(new QGridLayout)
{
    setObjectName(QStringLiteral("pgCharts"));
    auto* scopeLabel = new QLabel(marked(m_shell, "Scope"));
    scopeLabel->setBuddy(m_scope);
    m_scope->setObjectName(QStringLiteral("cbScope"));
    m_scope->addItem(m_shell.text("Charts", "Sheet"));
    m_scope->addItem(m_shell.text("Charts", "Selection"));
    auto* top = new QHBoxLayout;
    top->addWidget(scopeLabel);
    top->addWidget(m_scope);
    top->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(m_grid, 1);
    connect(m_scope, &QComboBox::currentIndexChanged, this, &ChartsPage::showCharts);
}

void ChartsPage::makeViews()
{
    for (int k = 0; k < ChartCount; ++k) {
        auto* view = new QChartView;
        view->setObjectName(QStringLiteral("chart") + QString::fromLatin1(kTitleKeys[k]));
        view->setRenderHint(QPainter::Antialiasing);
        view->setMinimumSize(320, 220);
        // Reached by Tab, so the context-menu key opens its menu too.
        view->setFocusPolicy(Qt::StrongFocus);
        view->setContextMenuPolicy(Qt::CustomContextMenu);
        auto* menu = new QMenu(view);
        menu->setObjectName(QStringLiteral("pmChart"));
        const Chart chart = Chart(k);
        connect(menu->addAction(marked(m_shell, "SavePng")), &QAction::triggered, this, [this, chart] { saveChartAs(chart); });
        menu->actions().back()->setObjectName(QStringLiteral("miSavePng"));
        connect(menu->addAction(marked(m_shell, "SaveSvg")), &QAction::triggered, this, [this, chart] { saveChartAs(chart); });
        menu->actions().back()->setObjectName(QStringLiteral("miSaveSvg"));
        connect(view, &QWidget::customContextMenuRequested, menu, [view, menu](const QPoint& at) { menu->popup(view->mapToGlobal(at)); });
        m_views[size_t(k)] = view;
        m_menus[size_t(k)] = menu;
        m_grid->addWidget(view, k / 2, k % 2);
    }
}

void ChartsPage::showEvent(QShowEvent* event)
{
    // Made and drawn once the page is first seen: the statistics window opens on its figures.
    if (!m_shown) {
        m_shown = true;
        makeViews();
        showCharts();
    }
    QWidget::showEvent(event);
}

void ChartsPage::showCharts()
{
    if (!m_shown)
        return;
    const CollectionCharts& charts = m_scope->currentIndex() == 1 ? m_selection : m_sheet;
    for (int k = 0; k < ChartCount; ++k) {
        const char* key = kTitleKeys[k];
        if (charts.ByDecade && (k == FilmsPerYear || k == SizePerYear))
            key = k == FilmsPerYear ? "FilmsPerDecade" : "SizePerDecade";
        QChart* old = m_views[size_t(k)]->chart();
        m_views[size_t(k)]->setChart(barChart(m_shell.text("Charts", key), barsOf(charts, Chart(k)), k != FilmsPerGenre));
        delete old;
    }
}

void ChartsPage::saveChartAs(Chart chart)
{
    const QStringList filters{QStringLiteral("PNG (*.png)"), QStringLiteral("SVG (*.svg)")};
    const SaveChoice choice = m_prompts.chooseFileToSave(m_shell.options().LastListDir, filters);
    if (choice.path.isEmpty())
        return;
    QString path = WithFilterExtension(choice.path, filters.value(choice.filterIndex));
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix != QLatin1String("png") && suffix != QLatin1String("svg"))
        path += choice.filterIndex == 1 ? QStringLiteral(".svg") : QStringLiteral(".png");
    QString error;
    if (!SaveChart(chart, path, &error))
        m_prompts.ask({PromptIcon::Error, QString(), m_shell.text("Charts", "SaveFailed").arg(path, error), {PromptButton::Ok}});
}

bool ChartsPage::SaveChart(Chart chart, const QString& path, QString* error) const
{
    QChartView* view = m_views[size_t(chart)];
    QSaveFile file(path);
    bool written = file.open(QIODevice::WriteOnly);
    if (written && QFileInfo(path).suffix().compare(QLatin1String("svg"), Qt::CaseInsensitive) == 0) {
        QSvgGenerator svg;
        svg.setOutputDevice(&file);
        svg.setSize(view->size());
        svg.setViewBox(view->rect());
        svg.setTitle(view->chart()->title());
        QPainter painter;
        written = painter.begin(&svg);
        if (written) {
            view->render(&painter);
            written = painter.end();
        }
    } else if (written) {
        written = view->grab().toImage().save(&file, "PNG");
    }
    if (written && file.commit())
        return true;
    if (error)
        *error = file.errorString();
    return false;
}

} // namespace reelkeep
