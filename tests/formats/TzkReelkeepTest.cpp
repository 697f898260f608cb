// The catalogue document: recognising .kdx versions, merging text forms, the check
// for characters an 8-bit save loses, and saves that never damage the old file.
#include "FormatTestSupport.h"

#include <csignal>
#include <sys/resource.h>

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
    doc.MergeFromString(textForm({{"Films", {"f1", "f2"}}, {"", {"c1"}}, {"Fresh", {"n1"}}, {"", {"n2"}}}), group);
    ASSERT_EQ(doc.ListCount(), 3);
    EXPECT_EQ(Describe(doc.Lists()), QStringLiteral("autor=\nlist Films max=3\n  1/-1 old film\n  2/-1 f1\n  3/-1 f2\n"
                                                    "list Current max=2\n  1/-1 \n    2/1 c1\n"
                                                    "list Fresh max=2\n  1/-1 n1\n  2/-1 n2\n"));
    EXPECT_EQ(doc.CurrentList, 3);
    EXPECT_EQ(films->GetColumnName(1), QString()); // an existing list keeps its columns
    EXPECT_EQ(doc.List(2)->GetColumnName(1), QStringLiteral("T1"));
    EXPECT_EQ(films->Row(1)->Fields[21], QString()); // only the stored cells are copied

    // Damaged text merges nothing at all.
    EXPECT_THROW(doc.MergeFromString(textForm({{"Films", {"f3"}}}).left(40)), FormatError);
    EXPECT_EQ(films->RowCount(), 3);
}

TEST_F(Document, LossyCharactersAreFoundWhereverTheyAre)
{
    TzkReelkeep doc;
    TZKList* list = doc.AddList(0, QStringLiteral("Фильмы ё"));
    TzkRow* row = list->AddRow();
    row->Fields[1] = QStringLiteral("Ещё № «кавычки»");
    EXPECT_FALSE(doc.HasLossyCharacters());
    list->AddRow(row)->Fields[5] = QStringLiteral("日本");
    EXPECT_TRUE(doc.HasLossyCharacters());
    list->DeleteRow(row);
    EXPECT_FALSE(doc.HasLossyCharacters());
    list->Column(4).Pattern = QStringLiteral("€ ✓");
    EXPECT_TRUE(doc.HasLossyCharacters());

    // The 8-bit save still succeeds, with '?' in place of what the code page lacks.
    doc.SaveToFile(path("lossy.kdx"));
    ASSERT_TRUE(doc.LoadFromFile(path("lossy.kdx")));
    EXPECT_EQ(doc.List(0)->Column(4).Pattern, QStringLiteral("€ ?"));
}

TEST_F(Document, FailedSaveLeavesTheOldFile)
{
    TzkReelkeep doc;
    TZKList* list = doc.AddList(0, QStringLiteral("L"));
    for (int r = 0; r < 2000; ++r)
        list->AddRow()->Fields[14] = QStringLiteral("a long description of a film").repeated(4);
    const QString file = write("keep.kdx", "kdx v2.1 the old catalogue");

    // Let the disk "fill up" after 4 KiB; root ignores permissions, but not this limit.
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 4096;
    setrlimit(RLIMIT_FSIZE, &small);
    EXPECT_THROW(doc.SaveToFile(file), FileError);
    EXPECT_THROW(doc.SaveToXML(file), ReelkeepError);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(read(file), QByteArray("kdx v2.1 the old catalogue"));
    doc.SaveToFile(file);
    EXPECT_TRUE(doc.LoadFromFile(file));
}

} // namespace
} // namespace reelkeep::testing
