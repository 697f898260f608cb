#include "ChartLabels.h"

#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QCursor>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QScreen>
#include <QToolTip>
#include <cmath>

namespace reelkeep {
namespace {

// Room a label needs besides its text: the chart pads it on both sides, and cuts a label
// whose text and padding overflow its share.
constexpr double kLabelGap = 12;

// Every step-th of count labels, so that at most fitting are shown (always the first).
int stepFor(int count, double fitting)
{
    const int shown = std::max(1, static_cast<int>(std::floor(fitting)));
    return std::max(1, (count + shown - 1) / shown);
}

void labelEveryStep(QCategoryAxis* axis, const QStringList& labels, int step)
{
    for (const QString& label : axis->categoriesLabels())
        axis->remove(label);
    for (qsizetype k = 0; k < labels.size(); k += step)
        axis->append(labels[k], static_cast<qreal>(k));
}

double widestScreen()
{
    double widest = 0;
    for (const QScreen* screen : QGuiApplication::screens())
        widest = std::max(widest, static_cast<double>(screen->geometry().width()));
    return widest;
}

} // namespace

LabelFit FitLabels(double widest, double lineHeight, double plotWidth, int count, bool ordered)
{
    // A label needs its text's extent across the axis and the gap; one share goes unused.
    const double across = (ordered ? widest : lineHeight) + kLabelGap;
    return {ordered ? 0 : -90, stepFor(count, plotWidth / across - 1)};
}

QCategoryAxis* AttachBarLabels(QChart* chart, QBarSeries* series, const QStringList& labels, bool ordered)
{
    auto* axis = new QCategoryAxis;
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    axis->setGridLineVisible(false);
    axis->setRange(-0.5, std::max<qreal>(0.5, static_cast<qreal>(labels.size()) - 0.5));
    axis->setStartValue(-0.5);
    // Set before the first layout, which sizes the axis for the labels as they stand.
    axis->setLabelsAngle(ordered ? 0 : -90);
    chart->addAxis(axis, Qt::AlignBottom);
    series->attachAxis(axis);

    const QFontMetricsF metrics(axis->labelsFont());
    double widest = 0;
    for (const QString& label : labels)
        widest = std::max(widest, metrics.horizontalAdvance(label));
    const auto stepAt = [widest, height = metrics.height(), count = static_cast<int>(labels.size()), ordered](double plotWidth) {
        return FitLabels(widest, height, plotWidth, count, ordered).Step;
    };
    // Each label is an item of the chart's first layout: no more than the widest screen
    // could show, so that centuries of years do not cost seconds before the first fit.
    int step = stepAt(widestScreen());
    labelEveryStep(axis, labels, step);

    const auto fit = [axis, labels, stepAt, step](const QRectF& plot) mutable {
        if (labels.isEmpty())
            return;
        const int fitting = stepAt(plot.width());
        if (step != fitting) {
            step = fitting;
            labelEveryStep(axis, labels, step);
        }
    };
    QObject::connect(chart, &QChart::plotAreaChanged, axis, fit);
    // A bar pointed at tells its whole label and value, for labels cut short or left out.
    QObject::connect(series, &QBarSeries::hovered, axis, [labels](bool over, int index, QBarSet* set) {
        if (over && index >= 0 && index < labels.size())
            QToolTip::showText(QCursor::pos(), labels[index] + QStringLiteral(": ") + QString::number(set->at(index)));
        else
            QToolTip::hideText();
    });
    return axis;
}

} // namespace reelkeep
