// Sorting cases pinned by hand where the random trees of SortOracleTest do not reach:
// values at the edge of 64 bits and the books kept by a failing sort.
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
