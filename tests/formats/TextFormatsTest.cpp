// Text catalogue files 1.0, 1.1 and 1.3 and the "kdx v1.3" text form.
#include "FormatTestSupport.h"
#include "TReelkeepSerialiazerV1_3.h"

namespace reelkeep::testing {
namespace {

class TextFormats : public FormatTest {};

TEST_F(TextFormats, Version10GivesOneListWithPatternsFromTheTemplate)
{
    ColumnDefinitions defs = BuiltInColumnDefinitions();
    defs[3].pattern = QStringLiteral("%Size% MB mine");
    TzkReelkeep doc(defs);
    ASSERT_TRUE(doc.LoadFromFile(write("empty.kdx", "kdx 17 \r\n0\r\n" + TextNames(17, "N"))));
    ASSERT_EQ(doc.ListCount(), 1);
    EXPECT_EQ(doc.List(0)->RowCount(), 0);
    EXPECT_EQ(doc.List(0)->GetColumnName(16), QStringLiteral("N16"));
    EXPECT_EQ(doc.List(0)->GetColumnName(17), QString());
    EXPECT_EQ(doc.List(0)->Column(3).Pattern, QStringLiteral("%Size% MB mine"));

    ASSERT_TRUE(doc.LoadFromFile(write("two.kdx", "kdx 17 \r\n2\r\n" + TextNames(17, "N") + TextRow(17, "a<br>b") + TextRow(17, "c"))));
    EXPECT_EQ(Describe(doc.Lists()), QStringLiteral("autor=\nlist Лист1 max=2\n  1/-1 a\r\nb\n  2/-1 c\n"));
    EXPECT_EQ(doc.List(0)->Row(1)->Fields[20], QStringLiteral("00FFFFFF"));
}

TEST_F(TextFormats, Version11ReadsSeveralListsWithWhiteRows)
{
    const QByteArray body = "2\r\nFirst\r\n1\r\n" + TextNames(17, "A") + TextRow(17, "x") + "Second\r\n2\r\n" + TextNames(17, "B")
                            + TextRow(17, "y") + TextRow(17, "z");
    TzkReelkeep doc;
    ASSERT_TRUE(doc.LoadFromFile(write("v11.kdx", "kdx v1.1\r\n" + body)));
    EXPECT_EQ(Describe(doc.Lists()), QStringLiteral("autor=\nlist First max=1\n  1/-1 x\nlist Second max=2\n  1/-1 y\n  2/-1 z\n"));
    EXPECT_EQ(doc.List(1)->Row(1)->Fields[20], QStringLiteral("00FFFFFF"));
    EXPECT_EQ(doc.List(1)->GetColumnName(0), QStringLiteral("B0"));

    // The signature matches on its first eight characters, but 1.1 wants the whole line.
    ASSERT_TRUE(doc.LoadFromFile(write("v11x.kdx", "kdx v1.1 extra\r\n" + body)));
    EXPECT_EQ(doc.ListCount(), 0);
}

TEST_F(TextFormats, Version13KeepsNamesCellsAndLineBreaksAndWritesTopLevelRowsOnly)
{
    TzkReelkeep doc;
    TZKList* list = doc.AddList(0, QStringLiteral("Фильмы"));
    list->SetColumnName(1, QStringLiteral("Название"));
    TzkRow* parent = list->AddRow();
    parent->Fields[1] = QStringLiteral("two\r\nlines, lone\rCR and lone\nLF");
    parent->Fields[20] = QStringLiteral("00FF00FF");
    list->AddRow(parent)->Fields[1] = QStringLiteral("nested");
    TzkRow* hidden = list->AddRow();
    hidden->Fields[1] = QStringLiteral("filtered <br> too");
    hidden->Filtered = true;
    doc.AddList(0, QString());

    const QString file = path("v13.kdx");
    TReelkeepSerialiazerV1_3().Save(file, doc.Lists());
    const QByteArray bytes = read(file);
    EXPECT_TRUE(bytes.startsWith(QByteArray("kdx v1.3\r\n2\r\n" + CodePage::Default().encode(u"Фильмы") + "\r\n2\r\n")));
    EXPECT_TRUE(bytes.contains("\r\ntwo<br>lines, lone\rCR and lone\nLF\r\n"));
    EXPECT_FALSE(bytes.contains("nested"));

    TzkReelkeep back;
    ASSERT_TRUE(back.LoadFromFile(file));
    EXPECT_EQ(Describe(back.Lists()), QStringLiteral("autor=\nlist Фильмы max=2\n  1/-1 two\r\nlines, lone\rCR and lone\nLF\n"
                                                     "  2/-1 filtered \r\n too\nlist  max=0\n"));
    EXPECT_EQ(back.List(0)->GetColumnName(1), QStringLiteral("Название"));
    EXPECT_EQ(back.List(0)->Row(0)->Fields[20], QStringLiteral("00FF00FF"));
    EXPECT_EQ(back.List(0)->Row(0)->Fields[21], QString());
    EXPECT_EQ(back.SaveToString(), bytes);
}

TEST_F(TextFormats, TextFormNumbersItsRowsAndAddsListsOnlyWhenWholeAndSigned)
{
    const QByteArray form = "kdx v1.3\r\n1\r\nL\r\n2\r\n" + TextNames(21, "C") + TextRow(21, "one") + TextRow(21, "two");
    TzkReelkeep doc;
    doc.AddList(0, QStringLiteral("existing"));
    ASSERT_EQ(doc.LoadFromString(form), 2);
    ASSERT_EQ(doc.ListCount(), 2);
    EXPECT_EQ(doc.List(1)->Row(1)->Fields[21], QStringLiteral("2"));
    EXPECT_EQ(doc.List(1)->Column(3).Pattern, BuiltInColumnDefinitions()[3].pattern);

    // Text without the signature is no catalogue: an error, and nothing added.
    EXPECT_THROW(doc.LoadFromString("kdx v1.1\r\n1\r\n"), FormatError);
    EXPECT_THROW(doc.LoadFromString("kdx v1.30\r\n1\r\n"), FormatError);
    EXPECT_THROW(doc.LoadFromString(QByteArray()), FormatError);
    EXPECT_EQ(doc.ListCount(), 2);
    // Text that ends early adds nothing, not even the rows before the cut.
    EXPECT_THROW(doc.LoadFromString(form.left(form.size() - 30)), FormatError);
    EXPECT_THROW(doc.LoadFromString("kdx v1.3\r\n2\r\nL\r\n0\r\n" + TextNames(21, "C") + "M\r\nlots\r\n"), FormatError);
    EXPECT_EQ(doc.ListCount(), 2);
}

TEST_F(TextFormats, TruncatedFlippedOrImpossibleFilesFailCleanly)
{
    const std::vector<QByteArray> goods{
        "kdx 17 \r\n1\r\n" + TextNames(17, "N") + TextRow(17, "a"),
        "kdx v1.1\r\n1\r\nL\r\n1\r\n" + TextNames(17, "N") + TextRow(17, "a"),
        "kdx v1.3\r\n1\r\nL\r\n1\r\n" + TextNames(21, "N") + TextRow(21, "a"),
    };
    for (const QByteArray& good : goods) {
        // Every cut that loses a whole line is damage; the last line may lack its line end.
        ExpectCleanFailures(path("t.kdx"), good, good.lastIndexOf("\r\n", good.size() - 3) + 2);
    }
    for (const char* count : {"-1", "x", "99999999999", "1000"}) {
        TzkReelkeep doc;
        EXPECT_THROW(doc.LoadFromFile(write("c.kdx", "kdx v1.3\r\n1\r\nL\r\n" + QByteArray(count) + "\r\n" + TextNames(21, "N"))),
                     FormatError) << count;
    }
}

} // namespace
} // namespace reelkeep::testing
