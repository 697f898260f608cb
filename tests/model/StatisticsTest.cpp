#include "Statistics.h"

#include "CodePage.h"
#include "ModelTestSupport.h"
#include "../support/TestFiles.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace reelkeep;
using namespace reelkeep::testing;

namespace {

class StatisticsTest : public ::testing::Test {
protected:
    TzkRow* add(const char* size, const char* length = "", const char* count = "")
    {
        TzkRow* row = list->AddRow();
        row->Fields[3] = QString::fromUtf8(size);
        row->Fields[12] = QString::fromUtf8(length);
        row->Fields[4] = QString::fromUtf8(count);
        return row;
    }
    std::vector<const TzkRow*> all() const { return ConsideredRows(*list, {}, false); }
    std::unique_ptr<TZKList> list = makeList();
};

TEST_F(StatisticsTest, TotalsAndAveragesOfNumericCells)
{
    // Only numeric cells count; averages round halves to even; totals wrap at 32 bits.
    const struct {
        std::vector<const char*> sizes;
        int total, average;
    } cases[] = {
        {{"700", "1400", "", "700 MB"}, 2100, 1050},
        {{"1", "2"}, 3, 2},
        {{"1", "4"}, 5, 2},
        {{"2147483647", "1"}, -2147483647 - 1, -1073741824},
        {{"2147483647", "18446744073709551617"}, -2147483647 - 1, -1073741824}, // wider than 64 bits: its low 32 bits
    };
    for (const auto& c : cases) {
        list = makeList();
        for (const char* size : c.sizes)
            add(size);
        EXPECT_EQ(ColumnTotal(all(), 3), c.total) << c.sizes[0];
        EXPECT_EQ(ColumnAverage(all(), 3), c.average) << c.sizes[0];
        EXPECT_EQ(ColumnTotal(all(), 12) + ColumnAverage(all(), 12), 0);
    }
}

TEST_F(StatisticsTest, LinesOfTheStatisticsWindow)
{
    TzkRow* a = add("700", "90", "1");
    TzkRow* b = add("1400", "120", "2");
    TzkRow* hidden = add("5000", "5000", "5");
    a->Fields[19] = b->Fields[19] = QStringLiteral("shown");
    list->SetColumnFilter(19, QStringLiteral("shown")); // the current-sheet figures cover the rows still shown
    const QStringList lines = StatisticsLines(*list, {a, hidden}, TzkLanguage());
    const QStringList expected = QStringLiteral(
        "--По данному листу--|Общий объем: 2100|"
        "Средний объем: 1050|Общая продолжительность: 210|"
        "Средняя продолжительность: 105|Общее количество файлов: 3|"
        "Среднее количество файлов: 2|--По выделенным записям--|"
        "Общий объем: 5700|Средний объем: 2850|"
        "Общая продолжительность: 5090|Средняя продолжительность: 2545|"
        "Общее количество файлов: 6|Среднее количество файлов: 3")
                                     .split(QLatin1Char('|'));
    EXPECT_EQ(lines, expected);

    // A sheet without an exact "%Size%" column has no size lines; nothing selected gives
    // zeros; a loaded language file has lost the labels' trailing blanks.
    list->Column(3).Pattern = QStringLiteral("%Size% MB");
    QTemporaryDir home;
    const QString lng = home.filePath(QStringLiteral("Russian.lng"));
    test::WriteTestFile(lng, CodePage::Default().encode(u"[Statistic]\r\nTotalLength=Общая продолжительность: \r\n"));
    TzkLanguage language;
    language.LoadFromFile(lng);
    const QStringList trimmed = StatisticsLines(*list, {}, language);
    EXPECT_EQ(trimmed.size(), 10);
    EXPECT_EQ(trimmed[1], QStringLiteral("Общая продолжительность:210"));
    EXPECT_EQ(trimmed[6], QStringLiteral("Общая продолжительность:0"));
    EXPECT_EQ(FindColumnByPattern(*list, QStringLiteral("%Size%")), -1);
    EXPECT_EQ(FindColumnByPattern(*list, QStringLiteral("%VidLength%")), 12);
}

TEST_F(StatisticsTest, StatusBarLine)
{
    add("", "5000");
    add("", "400");
    const QString pattern = QStringLiteral("Всего: %totallength% мин");
    EXPECT_EQ(StatusStatLine(pattern, *list), QStringLiteral("Всего: 5400 мин"));
    EXPECT_EQ(StatusStatLine(QStringLiteral("%TotalLength%/%TOTALLENGTH%"), *list), QStringLiteral("5400/5400"));
    list->Column(12).Pattern.clear();
    EXPECT_EQ(StatusStatLine(pattern, *list), QStringLiteral("Всего:  мин"));
}

} // namespace
