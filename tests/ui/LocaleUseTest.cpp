// What depends on the locale the program runs in: today's date written by the panel and
// sorted afterwards, and the order of a filter window's values. CTest runs this under
// several locales (LC_ALL); a locale the machine cannot make is skipped.
#include "FilterForms.h"
#include "LocaleFormats.h"
#include "MainMenu.h"
#include "TfmFilter.h"
#include "TzkBtnEdit.h"
#include "TzkRecordPanel.h"
#include "UiTestSupport.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QRegularExpression>
#include <QScrollBar>
#include <clocale>

using namespace reelkeep;
using namespace reelkeep::testing;

class LocaleUseTest : public QObject, MainWindowFixture {
    Q_OBJECT

private:
    // A click on the header of a column, scrolled into view first, as a person does.
    void clickHeader(int column)
    {
        QTreeView* grid = list->grid();
        grid->scrollTo(grid->model()->index(0, column));
        QHeaderView* header = grid->header();
        const int x = header->sectionViewportPosition(column) + header->sectionSize(column) / 2;
        QVERIFY(x > 0 && x < header->viewport()->width());
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
    }

private slots:
    void initTestCase()
    {
        const QByteArray name = qgetenv("LC_ALL");
        if (!std::setlocale(LC_ALL, ""))
            QSKIP(qPrintable(QStringLiteral("the locale %1 is not installed on this machine").arg(QString::fromLatin1(name))));
        qInfo("locale %s, short date format %s", name.constData(), qPrintable(LocaleFormats::system().shortDateFormat));
    }
    void init() { newProgramFolder(); }
    void cleanup() { closeMainWindow(); }

    void todaysDateIsWrittenSoThatItSorts()
    {
        startMainWindow();
        QVERIFY(showMainWindow({1100, 800}));
        QVERIFY((list = openSample("films.kdx")));
        click(rowIndex("Амели"));
        TzkBtnEdit* date = list->recordPanel()->edit(csDateAdded);
        QVERIFY(date->button()->isVisible());
        QTest::mouseClick(date->button(), Qt::LeftButton);
        const QString written = date->edit()->text();
        QVERIFY2(QRegularExpression(QStringLiteral("^[0-9]{1,4}[./-][0-9]{1,4}[./-][0-9]{1,4}$")).match(written).hasMatch(),
                 qPrintable(written));
        QCOMPARE(LocaleFormats::system().parseDate(written), QDate::currentDate());
        QCOMPARE(list->currentRecord()->Fields[csDateAdded], written);

        clickHeader(csDateAdded);
        QCOMPARE(prompts->texts(), QString());
        QCOMPARE(ModelTitles(*list->grid()->model()).front(), QStringLiteral("Амели"));
        QCOMPARE(list->grid()->header()->sortIndicatorSection(), csDateAdded);

        // A cell that is no date makes the next sort fail; the indicator stays where it was.
        list->grid()->expandAll();
        click(rowIndex("Шахматы"));
        QTest::mouseClick(date->edit(), Qt::LeftButton);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("n/a"));
        const Qt::SortOrder order = list->grid()->header()->sortIndicatorOrder();
        const QStringList before = ModelTitles(*list->grid()->model());
        clickHeader(csDateAdded);
        QVERIFY(prompts->texts().contains(QStringLiteral("n/a")));
        QCOMPARE(list->grid()->header()->sortIndicatorSection(), csDateAdded);
        QCOMPARE(list->grid()->header()->sortIndicatorOrder(), order);
        QCOMPARE(ModelTitles(*list->grid()->model()), before);
    }

    void filterValuesAreOrderedIgnoringCase()
    {
        TestCatalogue films;
        films.sheet("Films");
        for (const char* genre : {"Film", "broken", "Long", "c1", "Арт", "боевик"})
            films.record({{csTitle, genre}, {17, genre}});
        films.doc.SaveToFile(path());
        startMainWindow();
        QVERIFY(showMainWindow({1100, 800}));
        QVERIFY((list = openLoaded(path())));
        main->menus().filterActions()[17 - 1]->trigger();
        TfmFilter* genre = list->filterForms().form(17);
        QVERIFY(genre);
        QTRY_VERIFY(genre->hasValues());
        // Which script comes first is the locale's choice; within one, case makes no difference.
        const QStringList values = genre->valueTexts();
        const auto latin = [](const QString& value) { return value.front().unicode() < 0x80; };
        QStringList latinValues, cyrillicValues;
        for (const QString& value : values)
            (latin(value) ? latinValues : cyrillicValues) << value;
        QCOMPARE(latinValues, test::u({"broken", "c1", "Film", "Long"}));
        QCOMPARE(cyrillicValues, test::u({"Арт", "боевик"}));
    }
};

QTEST_MAIN(LocaleUseTest)
#include "LocaleUseTest.moc"
