#include "GroupCells.h"
#include "ModelTestSupport.h"

#include <gtest/gtest.h>

using namespace reelkeep;
using namespace reelkeep::testing;

TEST(TZKLists, AddDeleteAndFindLists)
{
    TZKLists lists(BuiltInColumnDefinitions(), LocaleFormats::russian());
    for (const char* name : {"one", "two", "three"})
        lists.AddList(0, QString::fromUtf8(name));
    lists.List(1)->AddRow();
    EXPECT_EQ(lists.IndexOfList(QStringLiteral("two")), 1);
    EXPECT_EQ(lists.IndexOfList(QStringLiteral("TWO")), -1);

    lists.DeleteList(1); // 1-based: the first list goes
    lists.DeleteList(lists.Count()); // and then the last
    ASSERT_EQ(lists.Count(), 1);
    EXPECT_EQ(lists.List(0)->Name, QStringLiteral("two"));
    EXPECT_EQ(lists.List(0)->RowCount(), 1);
}

TEST(TZKList, NewListTakesWidthsFromTheTemplateAndTheRestFromTheBuiltInTable)
{
    ColumnDefinitions settings = BuiltInColumnDefinitions();
    settings[1].width = 77;
    settings[1].pattern = QStringLiteral("%OrigName%");
    settings[3].type = ctString;
    TZKLists lists(settings, LocaleFormats::russian());
    TZKList* list = lists.AddList(0, QStringLiteral("x"));
    ASSERT_EQ(list->ColumnCount(), kColumnCount);
    EXPECT_EQ(list->Column(1).Width, 77);
    EXPECT_EQ(list->Column(1).Pattern, QStringLiteral("%Name%"));
    EXPECT_EQ(list->Column(3).Type, ctNumber);
    EXPECT_TRUE(list->Column(1).Name.isEmpty());
    EXPECT_EQ(list->Column(21).Type, 0);
}

TEST(TZKList, RowsGetIncreasingIdsNestAndAreFoundDescendantsFirst)
{
    auto list = makeList();
    TzkRow* a = list->AddRow();
    TzkRow* b = list->AddRow();
    TzkRow* child = list->AddRow(b);
    TzkRow* grandchild = list->AddRow(child);
    EXPECT_EQ(child->ID, 3);
    EXPECT_EQ(child->GroupID, b->ID);
    EXPECT_EQ(grandchild->GroupID, child->ID);
    EXPECT_EQ(list->RowCount(), 2);
    EXPECT_EQ(list->FindRowByID(4), grandchild);
    EXPECT_EQ(list->FindRowByID(1), a);
    EXPECT_EQ(list->FindRowByID(99), nullptr);
    auto clash = std::make_unique<TzkRow>();
    clash->ID = a->ID; // a damaged file may repeat an ID; the nested one is found first
    EXPECT_EQ(list->FindRowByID(a->ID), list->InsertRow(std::move(clash), a));

    // Stored IDs raise MaxID; new rows continue above the largest, and never wrap.
    auto loaded = makeList();
    for (int id : {5, 9, 7}) {
        auto row = std::make_unique<TzkRow>();
        row->ID = id;
        loaded->InsertRow(std::move(row));
    }
    EXPECT_EQ(loaded->AddRow()->ID, 10);
    loaded->MaxID = std::numeric_limits<std::int32_t>::max();
    EXPECT_THROW(loaded->AddRow(), ReelkeepError);
    EXPECT_EQ(loaded->RowCount(), 4);
}

// A whole cell can be the common start: grouping a film with its sequel keeps its full title.
TEST(TZKList, GroupTitleIsTheCommonStartTakenFromTheFirstRecord)
{
    auto list = makeList();
    TzkRow* film = addRow(*list, 1, "Матрица");
    TzkRow* sequel = addRow(*list, 1, "МАТРИЦА 2");
    TzkRow group;
    FillGroupCells(group, {film, sequel}, *list);
    EXPECT_EQ(group.Fields[1], QStringLiteral("Матрица"));
    FillGroupCells(group, {sequel, film}, *list);
    EXPECT_EQ(group.Fields[1], QStringLiteral("МАТРИЦА"));
}

TEST(TZKList, DetachDeleteAndGroup)
{
    auto list = makeList();
    TzkRow* a = addRow(*list, 1, "a");
    TzkRow* b = addRow(*list, 1, "b");
    TzkRow* c = addRow(*list, 1, "c");
    TzkRow* b1 = addRow(*list, 1, "b1", b);
    TzkRow* b2 = addRow(*list, 1, "b2", b);
    TzkRow* b21 = addRow(*list, 1, "b21", b2);
    for (const TzkRow* row : {b, b1, c, b21, b})
        list->Images.AddImage(QByteArray("img of ") + row->Fields[1].toUtf8(), row->ID);

    RowPtr detached = list->DetachRow(b1);
    EXPECT_EQ(detached.get(), b1);
    EXPECT_EQ(b->ChildCount(), 1);
    EXPECT_EQ(list->DetachRow(b1), nullptr);
    EXPECT_EQ(list->Images.ImageCount(b1->ID), 1) << "a detached row is moved, not deleted";

    // A deleted row takes its images and those of its nested rows along; IDs are never reused.
    list->DeleteRow(b);
    EXPECT_EQ(idOrder(*list), QStringLiteral("1 3"));
    EXPECT_EQ(list->Images.OwnerIDs, (std::vector<std::int32_t>{4, 3}));
    EXPECT_EQ(list->Images.Images, (std::vector<QByteArray>{"img of b1", "img of c"}));
    list->DeleteRow(detached.get());
    EXPECT_EQ(list->Images.Count(), 2) << "a row not in the list deletes nothing";
    EXPECT_EQ(list->GroupRows({}), nullptr);
    EXPECT_EQ(list->MaxID, 6);

    TzkRow* nestedInA = addRow(*list, 1, "a1", a);
    TzkRow* group = list->GroupRows({c, nestedInA});
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->ID, 8);
    EXPECT_EQ(idOrder(*list), QStringLiteral("1 8"));
    ASSERT_EQ(group->ChildCount(), 2);
    EXPECT_EQ(group->Child(0), c);
    EXPECT_EQ(group->Child(1), nestedInA);
    EXPECT_EQ(nestedInA->GroupID, 8);
    EXPECT_EQ(a->ChildCount(), 0);

    // Grouping a row under its own descendant leaves that row out.
    TzkRow* a2 = addRow(*list, 1, "a2", a);
    TzkRow* under = list->GroupRows({a, c}, a2);
    ASSERT_NE(under, nullptr);
    EXPECT_EQ(list->FindRowByID(under->ID), under);
    ASSERT_EQ(under->ChildCount(), 1);
    EXPECT_EQ(under->Child(0), c);
    EXPECT_EQ(a2->ChildCount(), 1);
}

TEST(TImagePack, ImagesOfOneRowKeepTheirOrder)
{
    TImagePack pack;
    pack.AddImage(QByteArray("a1"), 1);
    pack.AddImage(QByteArray("b1x"), 2);
    pack.AddImage(QByteArray("a2"), 1);
    EXPECT_EQ(pack.ImageCount(1), 2);
    EXPECT_EQ(pack.GetImage(1, 1), QByteArray("a2"));
    EXPECT_EQ(pack.ImageSize(2, 0), 3);
    EXPECT_EQ(pack.GetImage(1, 2), QByteArray());
    EXPECT_EQ(pack.ImageSize(1, -1), 0);
    pack.DeleteImage(1, 5);
    EXPECT_EQ(pack.Count(), 3);
    pack.DeleteImage(1, 0);
    EXPECT_EQ(pack.GetImage(1, 0), QByteArray("a2"));
    EXPECT_EQ(pack.OwnerIDs, (std::vector<std::int32_t>{2, 1}));
}
