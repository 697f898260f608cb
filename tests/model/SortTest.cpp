// Sorting cases pinned by hand; SortOracleTest compares the same sort with a plain
// reference on random trees (direction, nesting, filtered rows, failures).
#include "ModelTestSupport.h"
#include "../support/ErrorMessage.h"

#include <gtest/gtest.h>

using namespace reelkeep;
using namespace reelkeep::testing;

namespace {

std::unique_ptr<TZKList> listOf(int column, std::initializer_list<const char*> cells)
{
    auto list = makeList();
    for (const char* cell : cells)
        addRow(*list, column, cell);
    return list;
}

} // namespace

TEST(Sort, TextIsCaseBlindByteOrderOfTheCodePageWithEmptyCellsLast)
{
    // In windows-1251 'ё' (0xB8) comes before 'а' (0xE0); Latin letters come first.
    auto list = listOf(1, {"я", "", "б", "Ё", "а", "A", ""});
    list->Sort(1, 0);
    EXPECT_EQ(idOrder(*list), QStringLiteral("6 4 5 3 1 2 7"));
    list->Sort(1, 0);
    // Descending, the later of two empty cells comes first.
    EXPECT_EQ(idOrder(*list), QStringLiteral("1 3 5 4 6 7 2"));

    // Equal keys: ascending prefers the later of different texts; identical texts never swap.
    auto ties = listOf(1, {"abc", "ABC", "abc", "x", "x"});
    ties->Sort(1, 0);
    EXPECT_EQ(idOrder(*ties), QStringLiteral("3 1 2 4 5"));
}

TEST(Sort, NumbersAndDatesSortByValueAndABadCellStopsNamingIt)
{
    auto numbers = listOf(3, {"007", "7", "7a", "", "12", "9223372036854775807", "99999999999999999999x"});
    numbers->Sort(3, 1);
    // 7a and the long text with a letter are 0; 007 and 7 are equal keys of different text.
    EXPECT_EQ(idOrder(*numbers), QStringLiteral("7 3 1 2 5 6 4"));
    auto dates = listOf(16, {"02.01.2020", "", "1.1.2020", "31.12.1999"});
    dates->Sort(16, 2);
    EXPECT_EQ(idOrder(*dates), QStringLiteral("4 3 1 2"));

    // A failing sort names the cell, takes the column, keeps the direction and moves nothing.
    for (const auto& [column, kind, cell] : {std::tuple{3, 1, "99999999999999999999"}, {16, 2, "31.02.2020"}}) {
        auto bad = listOf(column, {"02.02.2002", cell, "01.01.2001"});
        bad->Sort(column, 0);
        const QString before = idOrder(*bad);
        const QString message = test::ErrorMessage<ConversionError>([&] { bad->Sort(column, std::uint8_t(kind)); });
        EXPECT_TRUE(message.contains(QString::fromUtf8(cell))) << message.toStdString();
        EXPECT_EQ(bad->SortColumn, column);
        EXPECT_FALSE(bad->SortDescending);
        EXPECT_EQ(idOrder(*bad), before);
    }
}
