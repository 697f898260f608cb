#include "FilterPass.h"
#include "ModelTestSupport.h"

#include <gtest/gtest.h>

using namespace reelkeep;
using namespace reelkeep::testing;

namespace {

QString visibleTitles(const TZKList& list)
{
    QStringList titles;
    for (int i = 0; i < list.VisibleRowCount(); ++i)
        titles << list.VisibleRow(i)->Fields[1];
    return titles.join(QLatin1Char(' '));
}

} // namespace

TEST(RowFiltering, MasksOfColumnsCombineWithAndAndOnlyAChangeRefilters)
{
    auto list = makeList();
    addRow(*list, 1, "Ёлка")->Fields[11] = QStringLiteral("1999");
    addRow(*list, 1, "ЕЛКИ")->Fields[11] = QStringLiteral("2010");
    addRow(*list, 1, "Пальма")->Fields[11] = QStringLiteral("1999");
    EXPECT_EQ(list->VisibleRowCount(), 3);

    list->SetColumnFilter(1, QString::fromUtf8("ёлк*"));
    EXPECT_EQ(visibleTitles(*list), QString::fromUtf8("Ёлка ЕЛКИ"));
    list->SetColumnFilter(11, QStringLiteral("1999"));
    EXPECT_EQ(visibleTitles(*list), QString::fromUtf8("Ёлка"));
    EXPECT_EQ(list->GetColumnFilter(11), QStringLiteral("1999"));

    list->SetColumnFilter(1, QString());
    EXPECT_EQ(visibleTitles(*list), QString::fromUtf8("Ёлка Пальма"));

    addRow(*list, 1, "Later")->Fields[11] = QStringLiteral("2020"); // unfiltered until the next change
    list->SetColumnFilter(11, QStringLiteral("1999"));
    EXPECT_EQ(list->VisibleRowCount(), 3);
    list->SetColumnFilter(11, QStringLiteral("1999*"));
    EXPECT_EQ(list->VisibleRowCount(), 2);
}

TEST(RowFiltering, GroupsStayVisibleThroughTheirOwnMatchOrADescendants)
{
    auto list = makeList();
    TzkRow* group = addRow(*list, 1, "Серии");
    TzkRow* match = addRow(*list, 1, "Матрица", group);
    TzkRow* other = addRow(*list, 1, "Другое", group);
    TzkRow* lonely = addRow(*list, 1, "Пусто");
    list->SetColumnFilter(1, QString::fromUtf8("матр*"));
    EXPECT_FALSE(group->Filtered);
    EXPECT_TRUE(other->Filtered);
    EXPECT_TRUE(lonely->Filtered);
    ASSERT_EQ(group->VisibleRowCount(), 1);
    EXPECT_EQ(group->VisibleRow(0), match);

    // A nested group matching itself stays although no descendant matches.
    TzkRow* top = addRow(*list, 1, "Top");
    TzkRow* sub = addRow(*list, 1, "Star Wars", top);
    TzkRow* leaf = addRow(*list, 1, "Episode", sub);
    list->SetColumnFilter(1, QStringLiteral("star*"));
    EXPECT_FALSE(sub->Filtered);
    EXPECT_TRUE(leaf->Filtered);
    EXPECT_FALSE(top->Filtered);

    list->SetColumnFilter(1, QStringLiteral("epi*"));
    EXPECT_FALSE(leaf->Filtered);
    EXPECT_FALSE(sub->Filtered); // kept by its descendant
    EXPECT_FALSE(top->Filtered);
}

TEST(RowFiltering, ColourOnlyAtTheTopLevelAndCellsPassThroughTheCodePage)
{
    auto list = makeList();
    TzkRow* red = addRow(*list, 20, "00FF0000");
    addRow(*list, 20, "00FFFFFF");
    TzkRow* child = addRow(*list, 20, "00FFFFFF", red);
    list->SetColumnFilter(20, QStringLiteral("00ff0000"));
    EXPECT_EQ(list->VisibleRowCount(), 1);
    EXPECT_FALSE(child->Filtered); // column 20 is not tested below the top level

    auto films = makeList();
    addRow(*films, 1, "Amélie");
    films->SetColumnFilter(1, QStringLiteral("am?lie"));
    EXPECT_EQ(films->VisibleRowCount(), 1);
    films->SetColumnFilter(1, QString::fromUtf8("amé*"));
    EXPECT_EQ(films->VisibleRowCount(), 1); // both sides become '?'
}

TEST(RowFiltering, APassReadsItsOwnCopyAndSetsTheFlagsOfTheRowsItCopied)
{
    auto list = makeList();
    TzkRow* group = addRow(*list, 1, "Серии");
    TzkRow* nested = addRow(*list, 1, "Матрица", group);
    TzkRow* other = addRow(*list, 1, "Другое");
    list->SetColumnFilterText(1, QString::fromUtf8("матр*"));
    const FilterPass pass(*list);
    // Changed after the copy: the pass still sees the old cell.
    other->Fields[1] = QStringLiteral("Матрица 2");
    const std::vector<char> flags = pass.run();
    EXPECT_EQ(visibleTitles(*list), QString::fromUtf8("Серии Матрица 2")); // nothing set yet
    pass.apply(*list, flags);
    EXPECT_EQ(visibleTitles(*list), QString::fromUtf8("Серии"));
    EXPECT_FALSE(nested->Filtered);
    EXPECT_TRUE(other->Filtered);

    // The column before the colour one filters nested rows too.
    list->SetColumnFilter(1, QString());
    nested->Fields[19] = QStringLiteral("x");
    list->SetColumnFilter(19, QStringLiteral("y"));
    EXPECT_TRUE(nested->Filtered);
}
