// The catalogue document: recognising .kdx versions and merging text forms.
#include "FormatTestSupport.h"
#include "TextCatalogue.h"


namespace reelkeep::testing {
namespace {

// A "kdx v1.3" text form of the given lists and titles.
QByteArray textForm(const std::vector<std::pair<const char*, std::vector<const char*>>>& lists)
{
    QByteArray out = "kdx v1.3\r\n" + QByteArray::number(qsizetype(lists.size())) + "\r\n";
    for (const auto& [name, titles] : lists) {
        out += QByteArray(name) + "\r\n" + QByteArray::number(qsizetype(titles.size())) + "\r\n" + TextNames(21, "T");
        for (const char* title : titles)
            out += TextRow(21, title);
    }
    return out;
}

class Document : public FormatTest {};

TEST_F(Document, SignaturesChooseTheReaderOrNone)
{
    const QByteArray columns17 = QByteArray("N\r\n").repeated(17);
    TzkReelkeep doc;
    doc.AddList(0, QStringLiteral("old"));
    for (const char* first : {"kdx 17 x", "kdx 17", "kdx v1.2", "kdx v2.2", "KDX v2.1", "xkdx v2.1", ""}) {
        EXPECT_FALSE(doc.LoadFromFile(write("f.kdx", QByteArray(first) + "\r\n0\r\n" + columns17))) << first;
        EXPECT_EQ(doc.List(0)->Name, QStringLiteral("old"));
    }
    EXPECT_TRUE(doc.LoadFromFile(write("f.kdx", "kdx 17 \n0\n" + QByteArray("N\n").repeated(17))));
    EXPECT_EQ(doc.List(0)->Name, QStringLiteral("Лист1"));
    // Binary data right after the signature, even a line feed, still reads as 2.1.
    EXPECT_TRUE(doc.LoadFromFile(write("g.kdx", Bytes().raw("kdx v2.1").str("\n23456789\r").i32(0).data())));
    EXPECT_EQ(doc.Autor(), QStringLiteral("\n23456789\r"));
    EXPECT_THROW(doc.LoadFromFile(path("missing.kdx")), FileError);
}

TEST_F(Document, MergeGoesToTheSameNameTheCurrentListOrANewList)
{
    TzkReelkeep doc;
    TZKList* films = doc.AddList(0, QStringLiteral("Films"));
    films->AddRow()->Fields[1] = QStringLiteral("old film");
    TZKList* current = doc.AddList(0, QStringLiteral("Current"));
    TzkRow* group = current->AddRow();
    doc.CurrentList = 2;

    // A new list becomes current: the unnamed list after it goes there, at the top level.
    EXPECT_EQ(doc.MergeFromString(textForm({{"Films", {"f1", "f2"}}, {"", {"c1"}}, {"Fresh", {"n1"}}, {"", {"n2"}}}), group), 5);
    ASSERT_EQ(doc.ListCount(), 3);
    EXPECT_EQ(Describe(doc.Lists()), QStringLiteral("autor=\nlist Films max=3\n  1/-1 old film\n  2/-1 f1\n  3/-1 f2\n"
                                                    "list Current max=2\n  1/-1 \n    2/1 c1\n"
                                                    "list Fresh max=2\n  1/-1 n1\n  2/-1 n2\n"));
    EXPECT_EQ(doc.CurrentList, 3);
    EXPECT_EQ(films->GetColumnName(1), QString()); // an existing list keeps its columns
    EXPECT_EQ(doc.List(2)->GetColumnName(1), QStringLiteral("T1"));
    EXPECT_EQ(films->Row(1)->Fields[21], QString()); // only the stored cells are copied

    // Damaged text, or text that is no text form, merges nothing at all.
    EXPECT_THROW(doc.MergeFromString(textForm({{"Films", {"f3"}}}).left(40)), FormatError);
    EXPECT_THROW(doc.MergeFromString("Films\r\nf3\r\n"), FormatError);
    EXPECT_EQ(films->RowCount(), 3);
    EXPECT_EQ(doc.MergeFromString(textForm({{"Films", {}}})), 0);
}

TEST_F(Document, RecordsTextKeepsEveryCharacterAndTheGivenOrder)
{
    TzkReelkeep source;
    TZKList* films = source.AddList(0, QStringLiteral("Films"));
    films->SetColumnName(1, QStringLiteral("Название"));
    TzkRow* first = films->AddRow();
    first->Fields[1] = QStringLiteral("Café");
    first->Fields[14] = QStringLiteral("two\r\nlines");
    first->Fields[20] = QStringLiteral("00FFFFFF");
    TzkRow* nested = films->AddRow(first);
    nested->Fields[1] = QStringLiteral("七人の侍");
    nested->Fields[20] = QStringLiteral("00FF0000");

    const QByteArray text = RecordsText({nested, first});
    // An unnamed list with 21 empty column names.
    const QByteArray head = "kdx v1.3\r\n1\r\n\r\n2\r\n" + QByteArray("\r\n").repeated(kStoredColumnCount);
    EXPECT_TRUE(text.startsWith(head));

    TzkReelkeep target;
    target.AddList(0, QStringLiteral("Films"));
    target.CurrentList = 1;
    // Pasting the text back, even without its last line end, gives the same cells in the order given.
    EXPECT_EQ(target.MergeFromString(text.chopped(2), nullptr, true), 2);
    const TZKList* pasted = target.List(0);
    ASSERT_EQ(pasted->RowCount(), 2);
    EXPECT_EQ(pasted->Row(0)->Fields[1], QStringLiteral("七人の侍"));
    EXPECT_EQ(pasted->Row(0)->Fields[20], QStringLiteral("00FF0000"));
    EXPECT_EQ(pasted->Row(1)->Fields[1], QStringLiteral("Café"));
    EXPECT_EQ(pasted->Row(1)->Fields[14], QStringLiteral("two\r\nlines"));
    EXPECT_EQ(pasted->Row(1)->ChildCount(), 0);
    // Read as code-page text, the same bytes do not give the same cells.
    EXPECT_EQ(target.MergeFromString(text, nullptr, false), 2);
    EXPECT_NE(target.List(0)->Row(2)->Fields[1], QStringLiteral("七人の侍"));
}

} // namespace
} // namespace reelkeep::testing
