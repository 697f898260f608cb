// The filter value list and the quick search's next match, case by case.
#include "FilterValues.h"
#include "QuickSearch.h"
#include "ModelTestSupport.h"

#include "../support/TestFiles.h"

#include <gtest/gtest.h>

using namespace reelkeep;
using namespace reelkeep::testing;
using reelkeep::test::u;

TEST(FilterValueList, SplitsTrimsSortsAndDropsRepeats)
{
    const struct {
        bool dot, second;
        std::vector<const char*> cells;
        std::initializer_list<const char*> values;
    } cases[] = {
        // Whole cells, trimmed; empty cells are left out; of parts equal but for case the first read stays.
        {false, false, {"драма, комедия", "", "Комедия", " комедия "}, {"драма, комедия", "Комедия"}},
        // Separators cut the cells into parts; empty parts are dropped.
        {true, false, {"драма, комедия", "Комедия", "ДРАМА", " ,\t, x ,,"}, {"драма", "комедия", "x"}},
        // Second names: brackets cut, a slash does not; the Russian order puts Cyrillic first.
        {false, true, {"Брат 2 (Brother 2)", "A/B {ёж}"}, {"Брат 2", "ёж", "A/B", "Brother 2"}},
        // Both flags: the slash cuts too; case is ignored in the order.
        {true, true, {"b/A, c", "(C)"}, {"A", "b", "c"}},
    };
    for (const auto& test : cases) {
        auto list = makeList();
        list->Column(7).NamesWithDot = test.dot;
        list->Column(7).SecondNames = test.second;
        for (const char* cell : test.cells)
            addRow(*list, 7, cell);
        EXPECT_EQ(FilterValueList(*list, 7, QLocale(QLocale::Russian)), u(test.values)) << test.cells.front();
    }
}

TEST(FilterValueList, ReadsOnlyVisibleTopLevelRows)
{
    auto list = makeList();
    TzkRow* group = addRow(*list, 1, "Бригада");
    addRow(*list, 1, "Бригада 2", group);
    addRow(*list, 1, "Амели");
    addRow(*list, 1, "Жмурки");
    list->SetColumnFilter(1, QStringLiteral("*а*"));
    EXPECT_EQ(FilterValueList(*list, 1, QLocale(QLocale::Russian)), u({"Амели", "Бригада"}));
}

TEST(QuickSearch, FindsTheNextContainingCellInDisplayOrder)
{
    auto list = makeList();
    std::vector<TzkRow*> order;
    for (const char* title : {"Матрица", "Ежик", "Матрица 2", "Шахматы"})
        order.push_back(addRow(*list, 1, title));
    const TSimpleSyntaxAnalizer normaliser;
    const struct {
        const char* text;
        int start;
        bool wrap;
        int found;
    } cases[] = {
        {"мат", 0, false, 0}, {"мат", 1, false, 2}, {"МАТ", 3, false, 3}, {"мат", 4, true, 0},
        {"ежик", 3, true, 1},  // wraps to a row above the start
        {"ёЖ", 0, false, 1},    // "ё" and case are ignored on both sides
        {"мат", 4, false, -1}, {"кот", 0, true, -1}, {"", 0, true, -1},
        {"Матрица 2 и", 0, true, -1}, // longer than every cell
    };
    for (const auto& test : cases)
        EXPECT_EQ(QuickSearch(normaliser, QString::fromUtf8(test.text)).next(SearchColumn(order, 1), test.start, test.wrap), test.found)
            << test.text << " from " << test.start;
}

TEST(FilterValueList, OffersNoValueOfARecordTheFilterHides)
{
    // The hidden records come first, where a list of every record would start.
    auto list = makeList();
    addRow(*list, 1, "Жмурки");
    addRow(*list, 1, "Брат");
    addRow(*list, 1, "Амели");
    list->SetColumnFilter(1, QStringLiteral("*А*"));
    EXPECT_EQ(FilterValueList(*list, 1, QLocale(QLocale::Russian)), u({"Амели", "Брат"}));
}
