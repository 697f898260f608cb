// Binary catalogue files 2.0 and 2.1, written byte by byte and read through the document.
#include "FormatTestSupport.h"
#include "../support/ErrorMessage.h"
#include "LoadLimits.h"
#include "RowOrder.h"
#include "TReelkeepSerialiazerV2_0.h"

#include <QFileInfo>
#include <numeric>

namespace reelkeep::testing {
namespace {

QByteArray cp1251(const char* utf8)
{
    return CodePage::Default().encode(QString::fromUtf8(utf8));
}

// One list with a top-level row holding two children, the second with a child of its own.
QByteArray nested21()
{
    Bytes b;
    b.raw("kdx v2.1").str(cp1251("Автор")).i32(1);
    b.str(cp1251("Фильмы")).i32(1).columns();
    b.num(3).num(-1).cells("Parent").num(2);
    b.num(8).num(3).cells("a<br>b").num(0);
    b.num(5).num(3).cells("lone\rCR\nLF").num(1);
    b.num(4).num(5).cells(cp1251("Внук")).num(0);
    return b.data();
}

// A flat list with images; IDs out of order; the reserved field and a Boolean byte not 0/1.
Bytes flat20(qint32 reserved, quint8 trueByte)
{
    Bytes b;
    b.raw("kdx v2.0").i32(reserved).str("me").i32(1);
    b.str("L").i32(3).columns(trueByte);
    b.num(3).cells("x").i32(2).str("IMG1").str("I2");
    b.num(8).cells("y").i32(0);
    b.num(5).cells("z").i32(1).str("Z");
    return b;
}

class BinaryFormats : public FormatTest {};

TEST_F(BinaryFormats, NestedRecordsReadAndWriteBackByteForByte)
{
    const QString file = write("nested.kdx", nested21());
    TzkReelkeep doc;
    ASSERT_TRUE(doc.LoadFromFile(file));
    EXPECT_EQ(Describe(doc.Lists()), QStringLiteral("autor=Автор\nlist Фильмы max=8\n"
                                                    "  3/-1 Parent\n    8/3 a\r\nb\n    5/3 lone\rCR\nLF\n      4/5 Внук\n"));
    const TZKList& list = *doc.List(0);
    EXPECT_EQ(list.Row(0)->Fields[20], QStringLiteral("00FFFFFF"));
    EXPECT_EQ(list.Column(1).Name, QStringLiteral("C1"));
    EXPECT_EQ(list.Column(1).LogicalValue, QStringLiteral("yes"));
    EXPECT_EQ(list.Column(1).Pattern, QStringLiteral("%Name%"));
    EXPECT_TRUE(list.Column(1).NamesWithDot);
    EXPECT_TRUE(list.Column(13).SecondNames);
    EXPECT_FALSE(list.Column(2).NamesWithDot);
    EXPECT_EQ(list.Column(2).Type, 2);
    EXPECT_EQ(list.Column(21).Name, QString()); // slot 21 is never stored

    doc.SaveToFile(path("again.kdx"));
    EXPECT_EQ(read(path("again.kdx")), nested21());

    // An empty catalogue is the signature and two zeros.
    TzkReelkeep empty;
    empty.SaveToFile(path("empty.kdx"));
    EXPECT_EQ(read(path("empty.kdx")), Bytes().raw("kdx v2.1").i32(0).i32(0).data());
    ASSERT_TRUE(doc.LoadFromFile(path("empty.kdx")));
    EXPECT_EQ(doc.ListCount(), 0);
}

TEST_F(BinaryFormats, ALargeListIsWrittenWholeAndInOrder)
{
    // Enough records for the writer to encode the list in parts; some nested.
    Bytes b;
    b.raw("kdx v2.1").str("").i32(1);
    const int rows = 20001;
    b.str("L").i32(rows).columns();
    for (int r = 1; r <= rows; ++r) {
        b.num(r).num(-1).cells(QByteArray("r" + QByteArray::number(r))).num(r % 1000 == 0 ? 1 : 0);
        if (r % 1000 == 0)
            b.num(100000 + r).num(r).cells(cp1251("Внук")).num(0);
    }
    const QString file = write("large.kdx", b.data());
    TzkReelkeep doc;
    ASSERT_TRUE(doc.LoadFromFile(file));
    ASSERT_TRUE(doc.SaveIfNothingLost(path("again.kdx"), CatalogueForm::Kdx21));
    EXPECT_EQ(read(path("again.kdx")), b.data());

    // A character the code page lacks in the very last record is still found.
    doc.List(0)->Row(rows - 1)->Fields[csTitle] = QStringLiteral("\u2603");
    EXPECT_FALSE(doc.SaveIfNothingLost(path("lost.kdx"), CatalogueForm::Kdx21));
    EXPECT_FALSE(QFileInfo::exists(path("lost.kdx")));
}

TEST_F(BinaryFormats, Format20KeepsImagesAndIDsAndConvertsTo21WithoutImages)
{
    const QString file = write("flat.kdx", flat20(12345, 7).data());
    TzkReelkeep doc;
    ASSERT_TRUE(doc.LoadFromFile(file));
    EXPECT_EQ(Describe(doc.Lists()), QStringLiteral("autor=me\nlist L max=8\n  3/-1 x\n  8/-1 y\n  5/-1 z\n"));
    const TImagePack& images = doc.List(0)->Images;
    EXPECT_EQ(images.OwnerIDs, (std::vector<std::int32_t>{3, 3, 5}));
    EXPECT_EQ(images.GetImage(3, 1), QByteArray("I2"));
    EXPECT_TRUE(doc.List(0)->Column(13).SecondNames);

    // The 2.0 writer gives the same layout back, with the reserved field 0 and Booleans 0/1.
    TReelkeepSerialiazerV2_0().Save(path("flat2.kdx"), doc.Lists());
    EXPECT_EQ(read(path("flat2.kdx")), flat20(0, 1).data());

    doc.SaveToFile(path("as21.kdx"));
    TzkReelkeep again;
    ASSERT_TRUE(again.LoadFromFile(path("as21.kdx")));
    EXPECT_EQ(read(path("as21.kdx")).left(8), QByteArray("kdx v2.1"));
    EXPECT_EQ(Describe(again.Lists()), Describe(doc.Lists()));
    EXPECT_EQ(again.List(0)->Images.Count(), 0);

    // An image over the limit every reader keeps is refused, naming the file and the limit.
    doc.List(0)->Images.AddImage(QByteArray(kMaxImageBytes + 1, 'j'), 8);
    TReelkeepSerialiazerV2_0().Save(path("huge.kdx"), doc.Lists());
    TzkReelkeep refused;
    const QString message = test::ErrorMessage<FormatError>([&] { refused.LoadFromFile(path("huge.kdx")); });
    EXPECT_TRUE(message.contains(path("huge.kdx")) && message.contains(QStringLiteral("image 0 of record 8 is 33554433 bytes, over the limit of 32 MiB")))
        << message.toStdString();
    EXPECT_EQ(refused.ListCount(), 0) << "nothing half-loaded";
}

TEST_F(BinaryFormats, ProgressRunsOncePerListThenHundred)
{
    // 250 top-level rows (step 2) plus nested rows, which do not count; then 3 rows (step 1).
    TzkReelkeep doc;
    for (int rows : {250, 3}) {
        TZKList* list = doc.AddList(rows, QStringLiteral("L"));
        for (int r = 0; r < rows; ++r)
            list->AddRow();
        list->AddRow(list->Row(0));
    }
    doc.SaveToFile(path("p.kdx"));

    std::vector<int> seen;
    TzkReelkeep loader;
    loader.OnProgress = [&seen](int value) { seen.push_back(value); };
    ASSERT_TRUE(loader.LoadFromFile(path("p.kdx")));
    std::vector<int> expected(125);
    std::iota(expected.begin(), expected.end(), 1);
    expected.insert(expected.end(), {1, 2, 3, 100});
    EXPECT_EQ(seen, expected);
}

TEST_F(BinaryFormats, TruncatedOrFlippedFilesFailCleanly)
{
    // Nothing follows the lists, so every cut of a binary file loses something it needs.
    ExpectCleanFailures(path("d21.kdx"), nested21(), nested21().size());
    ExpectCleanFailures(path("d20.kdx"), flat20(0, 1).data(), flat20(0, 1).data().size());
}

TEST_F(BinaryFormats, ImpossibleCountsLengthsAndNumbersAreRefused)
{
    const Bytes head = Bytes().raw("kdx v2.1").str("").i32(1).str("L");
    const std::vector<std::pair<const char*, QByteArray>> cases{
        {"rows beyond the file", Bytes(head).i32(0x7fffffff).columns().data()},
        {"negative rows", Bytes(head).i32(-1).columns().data()},
        {"lists beyond the file", Bytes().raw("kdx v2.1").str("").i32(1000).data()},
        {"negative length", Bytes().raw("kdx v2.1").i32(-5).i32(0).data()},
        {"bad ID", Bytes(head).i32(1).columns().str("1x").num(-1).cells("").num(0).data()},
        {"empty ID", Bytes(head).i32(1).columns().str("").num(-1).cells("").num(0).data()},
        {"ID beyond 32 bits", Bytes(head).i32(1).columns().str("2147483648").num(-1).cells("").num(0).data()},
        {"negative child count", Bytes(head).i32(1).columns().num(1).num(-1).cells("").num(-2).data()},
        {"images beyond the file", Bytes().raw("kdx v2.0").i32(0).str("").i32(1).str("L").i32(1).columns()
                                        .num(1).cells("").i32(1 << 30).data()},
    };
    for (const auto& [what, bytes] : cases) {
        const QString file = write("bad.kdx", bytes);
        TzkReelkeep doc;
        EXPECT_THROW(doc.LoadFromFile(file), FormatError) << what;
    }

    // A chain of records exactly as deep as the limit loads; one level more is refused.
    const auto chain = [&head](int levels) {
        Bytes deep = Bytes(head).i32(1).columns();
        for (int level = 1; level <= levels; ++level)
            deep.num(level).num(level - 1).cells("").num(level < levels ? 1 : 0);
        return deep.data();
    };
    TzkReelkeep doc;
    ASSERT_TRUE(doc.LoadFromFile(write("limit.kdx", chain(kMaxRowNesting))));
    EXPECT_EQ(doc.List(0)->RowCount(), 1);
    EXPECT_THROW(doc.LoadFromFile(write("deep.kdx", chain(kMaxRowNesting + 1))), FormatError);

    // A list count below one means no lists, as it always has; nothing after the lists is read.
    ASSERT_TRUE(doc.LoadFromFile(write("none.kdx", Bytes().raw("kdx v2.1").str("a").i32(-3).raw("junk").data())));
    EXPECT_EQ(doc.ListCount(), 0);
    EXPECT_EQ(doc.Autor(), QStringLiteral("a"));
}

} // namespace
} // namespace reelkeep::testing
