// The charts page of the statistics window: its bars against reelkeep-cli stats --charts
// for the sheet and for the selection, each chart saved from its context menu as PNG
// (read back with QImage) and as SVG, and bar labels that stay whole at small sizes.
#include "ChartLabels.h"
#include "ChartsPage.h"
#include "TfmStat.h"
#include "UiTestSupport.h"

#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFontMetricsF>
#include <QImage>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

using namespace reelkeep;
using namespace reelkeep::testing;

namespace {

constexpr int kSize = 3, kYear = 11, kLength = 12, kGenre = 17;

// The values of a chart's bars.
QList<qint64> Shown(const QChartView* view)
{
    QList<qint64> values;
    const auto* series = static_cast<const QBarSeries*>(view->chart()->series().front());
    const QBarSet* set = series->barSets().front();
    for (int k = 0; k < set->count(); ++k)
        values << qint64(set->at(k));
    return values;
}

QList<qint64> CliValues(const QJsonObject& charts, const char* scope, const char* chart)
{
    QList<qint64> values;
    for (const QJsonValue& bar : charts[QString::fromLatin1(scope)][QString::fromLatin1(chart)].toArray())
        values << bar[QStringLiteral("value")].toInteger();
    return values;
}

} // namespace

class ChartsPageTest : public QObject, MainWindowFixture {
    Q_OBJECT

private:
    ChartsPage* page = nullptr;

private slots:
    void init()
    {
        newProgramFolder();
        startMainWindow();
        QVERIFY(showMainWindow({1100, 800}));
        TestCatalogue films;
        films.sheet("Фильмы");
        films.record({{csTitle, "Матрица"}, {kYear, "1999"}, {kSize, "1400"}, {kLength, "136"}, {kGenre, "Фантастика, боевик"}});
        films.record({{csTitle, "Брат"}, {kYear, "1997"}, {kSize, "700"}, {kLength, "96"}, {kGenre, "Драма, боевик"}});
        films.record({{csTitle, "Ёжик в тумане"}, {kYear, "1975"}, {kSize, "40"}, {kLength, "10"}, {kGenre, "мультфильм"}});
        films.record({{csTitle, "Солярис"}, {kYear, "1972"}, {kSize, "1500"}, {kLength, "166"}, {kGenre, "фантастика, драма"}});
        films.doc.SaveToFile(cli->path("films.kdx"));
        QVERIFY((list = openLoaded(cli->path("films.kdx"))));
        // Матрица and Брат selected, as a person selects them with Ctrl and a click.
        click(rowIndex("Матрица"));
        click(rowIndex("Брат"), Qt::ControlModifier);
        main->menus().action("miStat")->trigger();
        TfmStat* window = nullptr;
        QTRY_VERIFY((window = list->findChild<TfmStat*>()));
        QVERIFY(window->pages());
        QVERIFY(QTest::qWaitForWindowExposed(window));
        // Ctrl+Tab turns to the charts from the OK button, and back and forth from the tab bar.
        window->findChild<QPushButton*>(QStringLiteral("btnOk"))->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(window->pages()->currentIndex(), 1);
        window->pages()->tabBar()->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp, Qt::ControlModifier);
        QCOMPARE(window->pages()->currentIndex(), 0);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown, Qt::ControlModifier);
        QCOMPARE(window->pages()->currentIndex(), 1);
        page = window->findChild<ChartsPage*>();
        QVERIFY(page && page->isVisible());
    }
    void cleanup()
    {
        page = nullptr;
        closeMainWindow();
    }

    void barsAreThoseOfTheTool()
    {
        const QJsonObject charts = cli->run({"stats", cli->path("films.kdx"), "--select", "1,2", "--charts"}).json();
        const std::pair<ChartsPage::Chart, const char*> kinds[] = {{ChartsPage::FilmsPerYear, "filmsPerYear"},
                                                                   {ChartsPage::SizePerYear, "sizePerYear"},
                                                                   {ChartsPage::FilmsPerGenre, "filmsPerGenre"},
                                                                   {ChartsPage::LengthBands, "lengthBands"}};
        // The years span 28: a bar per year, the empty ones too.
        QCOMPARE(Shown(page->view(ChartsPage::FilmsPerYear)).size(), 28);
        QCOMPARE(Shown(page->view(ChartsPage::FilmsPerGenre)), QList<qint64>({2, 2, 2, 1}));
        for (const auto& [chart, key] : kinds)
            QCOMPARE(Shown(page->view(chart)), CliValues(charts, "sheet", key));
        // The selection, chosen from the keyboard in the box.
        page->scope()->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QCOMPARE(page->scope()->currentIndex(), 1);
        for (const auto& [chart, key] : kinds)
            QCOMPARE(Shown(page->view(chart)), CliValues(charts, "selection", key));
        QCOMPARE(Shown(page->view(ChartsPage::SizePerYear)), QList<qint64>({700, 0, 1400}));
    }

    void eachChartSavesAsPngAndSvgFromItsContextMenu()
    {
        QChartView* view = page->view(ChartsPage::FilmsPerGenre);
        // What the context-menu key sends the chart, reached by the keyboard, opens its menu.
        view->setFocus();
        QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, view->rect().center(), view->mapToGlobal(view->rect().center()));
        QApplication::sendEvent(view, &menuKey);
        QMenu* menu = page->contextMenu(ChartsPage::FilmsPerGenre);
        QTRY_VERIFY(menu->isVisible());
        prompts->files = {{cli->path("genres"), 0}};
        QTest::keyClick(menu, Qt::Key_P);
        QTRY_VERIFY(QFileInfo::exists(cli->path("genres.png")));
        const QImage image(cli->path("genres.png"));
        QVERIFY(!image.isNull());
        QCOMPARE(image.size(), view->size() * view->devicePixelRatio());
        QVERIFY(image.pixelColor(image.width() / 2, image.height() / 2).isValid());

        prompts->files = {{cli->path("years.svg"), 1}};
        page->contextMenu(ChartsPage::FilmsPerYear)->actions().at(1)->trigger();
        QFile svg(cli->path("years.svg"));
        QVERIFY(svg.open(QIODevice::ReadOnly));
        const QByteArray text = svg.readAll();
        QVERIFY(text.contains("<svg"));
        QVERIFY(text.contains(main->shell().text("Charts", "FilmsPerYear").toUtf8()));

        // A folder that cannot be written: told, nothing else happens.
        prompts->files = {{cli->path("missing/x.png"), 0}};
        page->contextMenu(ChartsPage::LengthBands)->actions().at(0)->trigger();
        QCOMPARE(prompts->asked.size(), size_t(1));
        QVERIFY(prompts->asked.back().text.contains(cli->path("missing/x.png")));
    }

    void barLabelsStayWholeAtSmallSizes()
    {
        // Each label shown gets an equal share of the plot, one share to spare, and needs
        // its text and 12 pixels of padding: 40 years of 30 pixels fit every year in 1722
        // pixels, every second in 1721 and every seventh in 300; genres stand on their
        // side, a line of 14 pixels each.
        QCOMPARE(FitLabels(30, 14, 1722, 40, true).Step, 1);
        QCOMPARE(FitLabels(30, 14, 1721, 40, true).Step, 2);
        QCOMPARE(FitLabels(30, 14, 300, 40, true).Step, 7);
        QCOMPARE(FitLabels(30, 14, 300, 40, true).Angle, 0);
        QCOMPARE(FitLabels(80, 14, 364, 13, false).Angle, -90);
        QCOMPARE(FitLabels(80, 14, 364, 13, false).Step, 1);
        QCOMPARE(FitLabels(80, 14, 363, 13, false).Step, 2);
        QCOMPARE(FitLabels(80, 14, 10, 13, false).Step, 13);

        // As the window is made small and large again, the labels shown of each chart and
        // the chart's padding on both sides of each fit their share of the plot's width, the
        // first bar's label among them.
        const auto check = [this](QSize size) {
            page->window()->resize(size);
            QTest::qWait(100);
            for (int k = 0; k < ChartsPage::ChartCount; ++k) {
                QChart* chart = page->view(ChartsPage::Chart(k))->chart();
                auto* axis = qobject_cast<QCategoryAxis*>(chart->axes(Qt::Horizontal).front());
                QVERIFY(axis);
                const QFontMetricsF metrics(axis->labelsFont());
                const QStringList shown = axis->categoriesLabels();
                QVERIFY(!shown.isEmpty());
                QCOMPARE(axis->endValue(shown.front()), 0.0);
                for (const QString& label : shown) {
                    const double across = axis->labelsAngle() == 0 ? metrics.horizontalAdvance(label) : metrics.height();
                    QVERIFY2(across + 10 <= chart->plotArea().width() / double(shown.size() + 1), qPrintable(label));
                }
            }
        };
        const auto yearLabels = [this] {
            return static_cast<QCategoryAxis*>(page->view(ChartsPage::FilmsPerYear)->chart()->axes(Qt::Horizontal).front())->count();
        };
        check({560, 420});
        QCOMPARE(page->view(ChartsPage::FilmsPerGenre)->chart()->axes(Qt::Horizontal).front()->labelsAngle(), -90);
        const int narrow = yearLabels();
        QVERIFY(narrow < 28);
        // As wide but no taller: more labels, as they follow the plot's width.
        check({1600, 420});
        QVERIFY(yearLabels() > narrow);
        check({1200, 900});
        QCOMPARE(static_cast<QCategoryAxis*>(page->view(ChartsPage::FilmsPerGenre)->chart()->axes(Qt::Horizontal).front())->count(), 4);
    }
};

QTEST_MAIN(ChartsPageTest)
#include "ChartsPageTest.moc"
