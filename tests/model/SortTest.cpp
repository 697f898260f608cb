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

QString childOrder(const TzkRow& row)
{
    QStringList ids;
    for (const auto& child : row.Children)
        ids << QString::number(child->ID);
    return ids.join(QLatin1Char(' '));
}

// A sort that must stop with a message naming the offending cell, keeping the books:
// the column is taken, the direction stays as it was.
void expectSortStops(TZKList& list, int column, std::uint8_t kind, const char* cell)
{
    const bool descending = list.SortDescending;
    const QString message = test::ErrorMessage<ConversionError>([&] { list.Sort(column, kind); });
    EXPECT_TRUE(message.contains(QString::fromUtf8(cell))) << message.toStdString();
    EXPECT_EQ(list.SortColumn, column);
    EXPECT_EQ(list.SortDescending, descending);
}

} // namespace

TEST(Sort, DirectionAlternatesOnOneColumnAndCarriesOverToTheNext)
{
    auto list = listOf(3, {"b", "a"});
    list->Sort(3, 0);
    EXPECT_EQ(idOrder(*list), QStringLiteral("2 1"));
    EXPECT_FALSE(list->SortDescending);
    list->Sort(3, 0);
    EXPECT_EQ(idOrder(*list), QStringLiteral("1 2"));
    EXPECT_TRUE(list->SortDescending);
    list->Sort(5, 0);
    EXPECT_EQ(list->SortColumn, 5);
    EXPECT_TRUE(list->SortDescending);
    EXPECT_EQ(idOrder(*list), QStringLiteral("2 1")); // descending, empty cells come in reverse
}

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
    auto ties = listOf(1, {"abc", "ABC", "abc"});
    ties->Sort(1, 0);
    EXPECT_EQ(idOrder(*ties), QStringLiteral("3 1 2"));
    auto same = listOf(1, {"x", "x", "x"});
    same->Sort(1, 0);
    EXPECT_EQ(idOrder(*same), QStringLiteral("1 2 3"));
    same->Sort(1, 0);
    EXPECT_EQ(idOrder(*same), QStringLiteral("1 2 3"));
}

TEST(Sort, NumbersReadDigitOnlyTextsAndRejectValuesBeyond64Bits)
{
    auto list = listOf(3, {"007", "7", "7a", "", "12", "9223372036854775807", "99999999999999999999x"});
    list->Sort(3, 1);
    // 7a and the long text with a letter are 0; 007 and 7 are equal keys of different text.
    EXPECT_EQ(idOrder(*list), QStringLiteral("7 3 1 2 5 6 4"));

    auto huge = listOf(3, {"5", "99999999999999999999", "1"});
    expectSortStops(*huge, 3, 1, "99999999999999999999");
    EXPECT_EQ(idOrder(*huge), QStringLiteral("1 2 3"));
}

TEST(Sort, DatesSortByValueAndABadDateStopsBeforeItsLevelMoves)
{
    auto list = listOf(16, {"02.01.2020", "", "1.1.2020", "31.12.1999"});
    list->Sort(16, 2);
    EXPECT_EQ(idOrder(*list), QStringLiteral("4 3 1 2"));

    // A filtered row's cell counts too; nothing moves and the books are kept.
    auto bad = listOf(16, {"02.01.2020", "1.1.2020", "31.02.2020"});
    bad->Row(2)->Filtered = true;
    bad->Sort(16, 0); // as text first, so that the failing sort is the second by this column
    expectSortStops(*bad, 16, 2, "31.02.2020");
    EXPECT_EQ(idOrder(*bad), QStringLiteral("1 2 3"));
    EXPECT_FALSE(bad->SortDescending);

    // A bad nested cell: the top level is already sorted, the nested level is not.
    auto nested = listOf(16, {"05.05.2005", "01.01.2001"});
    TzkRow* parent = nested->Row(0);
    addRow(*nested, 16, "03.03.2003", parent);
    addRow(*nested, 16, "01.01.2001", parent);
    addRow(*nested, 16, "не дата", parent);
    expectSortStops(*nested, 16, 2, "не дата");
    EXPECT_EQ(idOrder(*nested), QStringLiteral("2 1"));
    EXPECT_EQ(childOrder(*parent), QStringLiteral("3 4 5"));
}

TEST(Sort, FilteredRowsStayPutAndNestedLevelsFollowTheListDirection)
{
    auto list = listOf(1, {"dd", "c", "b", "a"});
    TzkRow* group = list->Row(1);
    addRow(*list, 1, "y", group);
    TzkRow* inner = addRow(*list, 1, "z", group);
    addRow(*list, 1, "n", inner);
    addRow(*list, 1, "m", inner);
    list->Row(0)->Filtered = true;
    ASSERT_EQ(list->VisibleRowCount(), 3);
    EXPECT_EQ(list->VisibleRow(0)->ID, 2);

    list->Sort(1, 0);
    EXPECT_EQ(idOrder(*list), QStringLiteral("1 4 3 2"));
    EXPECT_EQ(list->VisibleRow(0)->ID, 4); // the visible rows follow the new order
    EXPECT_EQ(childOrder(*group), QStringLiteral("5 6"));
    EXPECT_EQ(childOrder(*inner), QStringLiteral("8 7"));

    list->Row(0)->Filtered = false;
    list->Sort(1, 0);
    EXPECT_TRUE(list->SortDescending);
    EXPECT_EQ(idOrder(*list), QStringLiteral("1 2 3 4"));
    EXPECT_EQ(childOrder(*group), QStringLiteral("6 5"));
    EXPECT_EQ(childOrder(*inner), QStringLiteral("7 8"));
    EXPECT_EQ(list->SortColumn, 1);
}
