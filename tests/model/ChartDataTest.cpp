#include "ChartData.h"

#include "ModelTestSupport.h"
#include "Statistics.h"

#include <gtest/gtest.h>

using namespace reelkeep;
using namespace reelkeep::testing;

namespace {

// The bars as "label=value" texts joined by blanks.
std::string bars(const std::vector<ChartBar>& list)
{
    QStringList parts;
    for (const ChartBar& bar : list)
        parts << bar.Label + QLatin1Char('=') + QString::number(bar.Value);
    return parts.join(QLatin1Char(' ')).toStdString();
}

TzkRow* film(TZKList& list, const char* year, const char* size = "", const char* length = "", const char* genre = "",
             TzkRow* parent = nullptr)
{
    TzkRow* row = addRow(list, kYear, year, parent);
    row->Fields[kSize] = QString::fromUtf8(size);
    row->Fields[kLength] = QString::fromUtf8(length);
    row->Fields[kGenre] = QString::fromUtf8(genre);
    return row;
}

CollectionCharts chartsOf(const TZKList& list)
{
    return ComputeCharts(list, ConsideredRows(list, {}, false), QStringLiteral("other"));
}

TEST(ChartDataTest, YearsAndSizesPerYearOrDecade)
{
    const auto list = makeList();
    film(*list, "2002", "700");
    film(*list, "1999", "1400");
    film(*list, "2000", "700 MB");
    film(*list, "2000", "300");
    film(*list, "", "5000");
    film(*list, "19x9", "5000");
    TzkRow* group = film(*list, "2001", "10");
    film(*list, "2001", "10", "", "", group); // nested: not counted, as statistics do not count it
    CollectionCharts charts = chartsOf(*list);
    EXPECT_FALSE(charts.ByDecade);
    EXPECT_EQ(bars(charts.FilmsPerYear), "1999=1 2000=2 2001=1 2002=1");
    EXPECT_EQ(bars(charts.SizePerYear), "1999=1400 2000=300 2001=10 2002=700");

    // A span of 40 years stays in years; 41 goes by decades, the empty ones kept.
    const auto wide = makeList();
    film(*wide, "1960", "100");
    film(*wide, "1999", "200");
    EXPECT_EQ(chartsOf(*wide).FilmsPerYear.size(), 40u);
    film(*wide, "1959", "50");
    charts = chartsOf(*wide);
    EXPECT_TRUE(charts.ByDecade);
    EXPECT_EQ(bars(charts.FilmsPerYear), "1950–1959=1 1960–1969=1 1970–1979=0 1980–1989=0 1990–1999=1");
    EXPECT_EQ(bars(charts.SizePerYear), "1950–1959=50 1960–1969=100 1970–1979=0 1980–1989=0 1990–1999=200");

    // Sizes beyond 32 bits add up.
    const auto big = makeList();
    for (int i = 0; i < 3; ++i)
        film(*big, "2020", "999999999");
    EXPECT_EQ(chartsOf(*big).SizePerYear.front().Value, 2999999997);
    EXPECT_TRUE(chartsOf(*makeList()).FilmsPerYear.empty());
}

TEST(ChartDataTest, GenresTopTwelveAndTheRest)
{
    const auto list = makeList();
    film(*list, "", "", "", "Драма, комедия");
    film(*list, "", "", "", "драма,  ДРАМА");  // one record names a genre once, whatever its case
    film(*list, "", "", "", "Комедия, Боевик");
    film(*list, "", "", "", "");
    // Twelve more genres, once each: the last three seen go to "other".
    film(*list, "", "", "", "a, b, c, d, e, f, g, h, i, j, k, l");
    EXPECT_EQ(bars(chartsOf(*list).FilmsPerGenre), "Драма=2 комедия=2 Боевик=1 a=1 b=1 c=1 d=1 e=1 f=1 g=1 h=1 i=1 other=3");

    // Split as the column's flags say.
    const auto few = makeList();
    few->Column(kGenre).NamesWithDot = false;
    film(*few, "", "", "", "Драма, комедия");
    EXPECT_EQ(bars(chartsOf(*few).FilmsPerGenre), "Драма, комедия=1");
}

TEST(ChartDataTest, LengthBandsAndTheSelection)
{
    const auto list = makeList();
    std::vector<const TzkRow*> chosen;
    for (const char* minutes : {"0", "29", "30", "179", "180", "500", "", "90 min"})
        chosen.push_back(film(*list, "", "", minutes));
    EXPECT_EQ(bars(chartsOf(*list).LengthBands),
              "0–29=2 30–59=1 60–89=0 90–119=0 120–149=0 150–179=1 180+=2");
    // The selection alone, as the statistics lines count it; hidden rows do not count for the sheet.
    chosen.resize(3);
    const CollectionCharts selected = ComputeCharts(*list, ConsideredRows(*list, chosen, true), QStringLiteral("other"));
    EXPECT_EQ(bars(selected.LengthBands), "0–29=2 30–59=1 60–89=0 90–119=0 120–149=0 150–179=0 180+=0");
    list->SetColumnFilter(kLength, QStringLiteral("1*"));
    EXPECT_EQ(bars(chartsOf(*list).LengthBands), "0–29=0 30–59=0 60–89=0 90–119=0 120–149=0 150–179=1 180+=1");
}

} // namespace
