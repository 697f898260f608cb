// The XML catalogue: what it writes, what it reads leniently, and what it refuses.
#include "FormatTestSupport.h"
#include "../support/ErrorMessage.h"
#include "TReelkeepXMLSerialiazerV2_1.h"

#include "LoadLimits.h"
#include "RowOrder.h"

#include <QFileInfo>
#include <QStringEncoder>
#include <cstdio>
#include <fstream>
#include <numeric>
#include <string>
#include <sys/resource.h>

namespace reelkeep::testing {
namespace {

class XmlCatalogueTest : public FormatTest {
protected:
    std::unique_ptr<TZKLists> load(const QString& fileName)
    {
        TReelkeepXMLSerialiazerV2_1 reader;
        reader.Formats = LocaleFormats::russian();
        return reader.Load(fileName);
    }

    std::unique_ptr<TZKLists> loadBytes(const QByteArray& bytes)
    {
        return load(write("in.xkdx", bytes));
    }

    // A document with one list whose columns are given and whose items follow.
    static QByteArray document(const QByteArray& columnAttributes, const QByteArray& items)
    {
        QByteArray columns;
        for (int k = 0; k < kStoredColumnCount; ++k)
            columns += "<Column Name=\"c" + QByteArray::number(k) + "\" " + columnAttributes + "/>";
        return "<?xml version=\"1.0\"?><Reelkeep MajorVersion=\"2\" MinorVersion=\"1\" Autor=\"a\"><List Name=\"L\"><Columns>"
            + columns + "</Columns><Items>" + items + "</Items></List></Reelkeep>";
    }
};

TEST_F(XmlCatalogueTest, RoundTripKeepsEverythingTheFormCarries)
{
    const auto original = sampleCatalogue();
    // A cell longer than the writer's slices, with a surrogate pair across their border.
    original->List(2)->AddRow()->Fields[csDescription] = QString(65535, u'a') + QString::fromUtf8("😀 <&> \"") + QString(70000, u'b');
    const QString fileName = path("catalogue.xkdx");
    TReelkeepXMLSerialiazerV2_1().Save(fileName, *original);

    const QByteArray bytes = ReadWholeFile(fileName);
    EXPECT_TRUE(bytes.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Reelkeep MajorVersion=\"2\" MinorVersion=\"1\""));
    EXPECT_TRUE(bytes.contains("\n\t<List Name=\"")) << "indented";
    EXPECT_TRUE(bytes.contains("NamesWithDot=\"true\"") && bytes.contains("SecondNames=\"false\""));
    // Rows flat and depth-first, nesting only through GroupID; empty cells give no Field.
    const qsizetype parent = bytes.indexOf("<Item ID=\"1\" GroupID=\"-1\">");
    const qsizetype child = bytes.indexOf("<Item ID=\"2\" GroupID=\"1\">");
    const qsizetype grandchild = bytes.indexOf("<Item ID=\"3\" GroupID=\"2\">");
    EXPECT_TRUE(parent > 0 && parent < child && child < grandchild);
    EXPECT_TRUE(bytes.contains("<Item ID=\"4\" GroupID=\"-1\"/>"));

    EXPECT_EQ(Describe(*load(fileName), Detail::Everything), Describe(*original, Detail::Everything));
}

TEST_F(XmlCatalogueTest, ReadsLenientBooleansMissingOptionalAttributesAndIgnoresStrayFields)
{
    const auto lists = loadBytes(document("Type=\"1\" Pattern=\"\" NamesWithDot=\"TRUE\" SecondNames=\"0\"",
                                          "<Item ID=\"7\" GroupID=\"-1\"><Field N=\"1\">t</Field><Field N=\"22\">x</Field>"
                                          "<Field N=\"-1\">y</Field><Field N=\"21\">z</Field>"
                                          // Text around a comment, a CDATA section and references is one cell.
                                          "<Field N=\"2\">a<!-- note -->b<![CDATA[<c>]]>&amp;&#x44f;</Field></Item>"
                                          "<Item ID=\"9\" GroupID=\"42\"><Field N=\"2\">orphan</Field></Item>"
                                          // A duplicate ID: a child goes under the first row with it.
                                          "<Item ID=\"7\" GroupID=\"-1\"/><Item ID=\"8\" GroupID=\"7\"/>"));
    ASSERT_EQ(lists->Count(), 1);
    const TZKList& list = *lists->List(0);
    const TzkColumn& column = list.Column(3);
    EXPECT_EQ(column.Type, 1);
    EXPECT_TRUE(column.NamesWithDot);
    EXPECT_FALSE(column.SecondNames);
    EXPECT_EQ(column.Width, BuiltInColumnDefinitions()[3].width) << "no Width keeps the settings' width";
    EXPECT_EQ(column.LogicalValue, QString());
    ASSERT_EQ(list.RowCount(), 3);
    ASSERT_EQ(list.Row(0)->Children.size(), 1u);
    EXPECT_EQ(list.Row(0)->Children[0]->ID, 8);
    EXPECT_EQ(list.Row(0)->Fields[csTitle], QStringLiteral("t"));
    EXPECT_EQ(list.Row(0)->Fields[csInternal], QStringLiteral("z"));
    EXPECT_EQ(list.Row(0)->Fields[csOrigTitle], QString::fromUtf8("ab<c>&я"));
    EXPECT_EQ(list.Row(1)->GroupID, 42) << "an unknown parent leaves a top-level row with its GroupID";
    EXPECT_EQ(list.MaxID, 9);

    const auto mixed = loadBytes(document("Type=\"0\" NamesWithDot=\"fAlSe\" SecondNames=\"-3\"", ""));
    EXPECT_FALSE(mixed->List(0)->Column(0).NamesWithDot);
    EXPECT_TRUE(mixed->List(0)->Column(0).SecondNames);
}

TEST_F(XmlCatalogueTest, ReadsEveryEncodingAndLineBreakAsWritten)
{
    // "Фильм" with a CR LF written as character references and a raw CR LF, which a
    // parser reads as LF.
    const QString items = QString::fromUtf8("<Item ID=\"1\" GroupID=\"-1\"><Field N=\"1\">Фильм&#13;&#10;2\r\n3</Field></Item>");
    const QString text = QString::fromLatin1(document("Type=\"0\" NamesWithDot=\"false\" SecondNames=\"false\"", "ITEMS"))
                             .replace(QStringLiteral("ITEMS"), items)
                             .replace(QStringLiteral("Name=\"L\""), QString::fromUtf8("Name=\"Список\""));
    const auto declared = [&text](const char* encoding) {
        return QString(text).replace(QStringLiteral("<?xml version=\"1.0\"?>"),
                                     QStringLiteral("<?xml version=\"1.0\" encoding=\"%1\"?>").arg(QLatin1StringView(encoding)));
    };
    const QByteArray files[] = {
        CodePage().encode(declared("windows-1251")),
        // A name only the program's own code page knows, not even valid in a declaration.
        CodePage().encode(declared("1251")),
        QStringEncoder(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom).encode(text),
        QStringEncoder(QStringConverter::Utf32BE, QStringConverter::Flag::WriteBom).encode(declared("UTF-32")),
        QStringEncoder(QStringConverter::Utf32LE).encode(text),
    };
    for (const QByteArray& bytes : files) {
        const auto lists = loadBytes(bytes);
        EXPECT_EQ(lists->List(0)->Name, QString::fromUtf8("Список"));
        EXPECT_EQ(lists->List(0)->Row(0)->Fields[csTitle], QString::fromUtf8("Фильм\r\n2\n3"));
    }
}

TEST_F(XmlCatalogueTest, RefusesAnotherMajorVersionNamingBoth)
{
    const std::pair<QByteArray, const char*> cases[] = {
        {"<Reelkeep MajorVersion=\"3\" MinorVersion=\"0\"><List Name=\"x\"/></Reelkeep>", "of version 3, and this program reads version 2"},
        {"<Reelkeep MinorVersion=\"1\"><List Name=\"x\"/></Reelkeep>", "states no version (MajorVersion), and this program reads version 2"},
    };
    for (const auto& [bytes, message] : cases)
        EXPECT_TRUE(test::ErrorMessage<FormatError>([&] { loadBytes(bytes); }).contains(QLatin1StringView(message))) << message;
}

TEST_F(XmlCatalogueTest, DamagedOrUnexpectedXmlGivesAnErrorNamingTheFile)
{
    const QByteArray good = document("Type=\"0\" NamesWithDot=\"false\" SecondNames=\"false\"",
                                     "<Item ID=\"1\" GroupID=\"-1\"><Field N=\"1\">t</Field></Item>");
    const QByteArray bad[] = {
        "",
        "not xml at all",
        "<Other MajorVersion=\"2\"/>",
        good.left(good.size() - 12),
        good + "<Trailing/>",
        QByteArray(good).replace("<Column Name=\"c20\" Type=\"0\" NamesWithDot=\"false\" SecondNames=\"false\"/>", ""),
        QByteArray(good).replace("Type=\"0\" NamesWithDot=\"false\" SecondNames=\"false\"/></Columns>",
                                 "Type=\"zero\" NamesWithDot=\"false\" SecondNames=\"false\"/></Columns>"),
        QByteArray(good).replace("NamesWithDot=\"false\" SecondNames=\"false\"/></Columns>", "SecondNames=\"false\"/></Columns>"),
        QByteArray(good).replace("NamesWithDot=\"false\" SecondNames=\"false\"/></Columns>",
                                 "NamesWithDot=\"maybe\" SecondNames=\"false\"/></Columns>"),
        QByteArray(good).replace("ID=\"1\"", "ID=\"one\""),
        QByteArray(good).replace("ID=\"1\"", "ID=\"99999999999\""),
        QByteArray(good).replace(" GroupID=\"-1\"", ""),
        QByteArray(good).replace("N=\"1\"", "N=\"x\""),
        QByteArray(good).replace(">t<", "><b>t</b><"),
        QByteArray(good).replace("<Items>", "").replace("</Items>", ""),
        QByteArray(good).replace("<?xml version=\"1.0\"?>", "<?xml version=\"1.0\" encoding=\"no-such\"?>"),
    };
    for (const QByteArray& bytes : bad)
        EXPECT_TRUE(test::ErrorMessage([&] { loadBytes(bytes); }).contains(path("in.xkdx"))) << bytes.toStdString();
    // Damage the parser finds is told in its words, with the place (the wrong name).
    EXPECT_EQ(test::ErrorMessage<FormatError>([&] { loadBytes(QByteArray(good).replace("</Item>", "</Itm>")); }).toStdString(),
              QStringLiteral("\"%1\" is not an XML catalogue: mismatched tag (line 1, column %2).")
                  .arg(path("in.xkdx"))
                  .arg(good.indexOf("</Item>") + 3)
                  .toStdString());
    // A fault the parser cannot see is placed too.
    const QString badId = test::ErrorMessage<ConversionError>([&] { loadBytes(QByteArray(good).replace("<Item ID=\"1\"", "\n  <Item ID=\"x\"")); });
    EXPECT_TRUE(badId.endsWith(QStringLiteral("damaged at line 2: \"x\" is not a valid ID."))) << badId.toStdString();
    const QString element = test::ErrorMessage<FormatError>([&] { loadBytes(QByteArray(good).replace(">t<", ">\r\n\xD0\xAF<b/><")); });
    EXPECT_TRUE(element.endsWith(QStringLiteral("damaged at line 2, column 2: <b> inside a field."))) << element.toStdString();
    // An early fault in a file of many megabytes ends the load at once.
    QByteArray many = "<Item ID=\"oops\" GroupID=\"-1\"/>";
    many += QByteArray("<Item ID=\"2\" GroupID=\"-1\"><Field N=\"1\">title</Field></Item>\n").repeated(100000);
    EXPECT_THROW(loadBytes(document("Type=\"0\" NamesWithDot=\"0\" SecondNames=\"0\"", many)), ConversionError);
    // Every truncation of a written catalogue is refused, none half-read.
    const QString fileName = path("whole.xkdx");
    TReelkeepXMLSerialiazerV2_1().Save(fileName, *sampleCatalogue());
    const QByteArray whole = ReadWholeFile(fileName);
    for (qsizetype length = 0; length < whole.size() - 2; length += 7)
        EXPECT_THROW(loadBytes(whole.left(length)), ReelkeepError) << length;
}

// Each list's images as "list/owner: hex of the bytes", in the pack's order.
QStringList imagesOf(const TZKLists& lists)
{
    QStringList images;
    for (const auto& list : lists.Lists)
        for (size_t i = 0; i < list->Images.Images.size(); ++i)
            images << list->Name + u'/' + QString::number(list->Images.OwnerIDs[i]) + u':'
                    + QString::fromLatin1(list->Images.Images[i].left(64).toHex()) + u'#'
                    + QString::number(list->Images.Images[i].size());
    return images;
}

// A catalogue whose records hold images: every byte value, several images of one
// record interleaved with another's, a nested record's and one larger than a block.
std::unique_ptr<TZKLists> catalogueWithImages()
{
    auto lists = sampleCatalogue();
    TZKList& films = *lists->List(0);
    QByteArray everyByte;
    for (int b = 0; b < 256; ++b)
        everyByte += char(b);
    const TzkRow& nested = *films.Row(0)->Children.front();
    films.Images.AddImage(everyByte, films.Row(0)->ID);
    films.Images.AddImage("second of nested", nested.ID);
    films.Images.AddImage(QByteArray(1500000, '\xFF') + "end", films.Row(0)->ID);
    films.Images.AddImage("third", films.Row(0)->ID);
    lists->List(2)->Images.AddImage("\x89PNG", lists->List(2)->Row(0)->ID);
    return lists;
}

TEST_F(XmlCatalogueTest, ImagesFollowTheItemsAndComeBackUnchangedThroughBothParsers)
{
    const auto original = catalogueWithImages();
    // An image of a record no longer there is not written: no reader could place it.
    original->List(0)->Images.AddImage("orphan", 999);
    const QString fileName = path("images.xkdx");
    TReelkeepXMLSerialiazerV2_1().Save(fileName, *original);
    original->List(0)->Images.DeleteImagesOf({999});
    const QByteArray bytes = ReadWholeFile(fileName);

    // Columns and Items stay the first two children, the images the third.
    const qsizetype items = bytes.indexOf("</Items>");
    const qsizetype images = bytes.indexOf("<Images>");
    EXPECT_TRUE(bytes.indexOf("</Columns>") < items && items < images && images < bytes.indexOf("</List>")) << "order";
    EXPECT_EQ(bytes.count("<Images>"), 2) << "only lists with images have them";
    EXPECT_TRUE(bytes.contains(QByteArray("<Image ID=\"1\" N=\"0\">" + original->List(0)->Images.Images[0].toBase64() + "</Image>")));
    EXPECT_TRUE(bytes.contains("<Image ID=\"1\" N=\"2\">dGhpcmQ=</Image>"));
    EXPECT_FALSE(bytes.contains("ID=\"999\""));
    EXPECT_TRUE(bytes.contains("MajorVersion=\"2\""));

    // The general parser gets the file when a comment sends the fast one away; it
    // hands long texts over in pieces.
    QByteArray withComment = bytes;
    withComment.insert(bytes.indexOf("<Reelkeep"), "<!-- for the general parser -->");
    for (const QByteArray& form : {bytes, withComment}) {
        const auto back = loadBytes(form);
        EXPECT_EQ(Describe(*back, Detail::Everything), Describe(*original, Detail::Everything));
        EXPECT_EQ(imagesOf(*back), imagesOf(*original));
        EXPECT_EQ(back->List(0)->Images.Images[2], original->List(0)->Images.Images[2]);
        // Line breaks inside the base64, as a tool that wraps text leaves them, are read past.
        QByteArray wrapped = form;
        wrapped.replace("dGhpcmQ=", "dGhp\n\tcmQ=");
        EXPECT_EQ(imagesOf(*loadBytes(wrapped)), imagesOf(*original));
    }

    // Without the Images elements, as a reader that knows nothing of images sees it,
    // the same catalogue without its images.
    QByteArray stripped = bytes;
    for (qsizetype at; (at = stripped.indexOf("<Images>")) >= 0;)
        stripped.remove(at, stripped.indexOf("</Images>", at) + 9 - at);
    const auto plain = loadBytes(stripped);
    EXPECT_EQ(Describe(*plain, Detail::Everything), Describe(*original, Detail::Everything));
    EXPECT_TRUE(imagesOf(*plain).isEmpty());
}

TEST_F(XmlCatalogueTest, DamagedImagesAreRefusedNamingThePlaceAndNothingIsHalfLoaded)
{
    const QByteArray good = document("Type=\"0\" NamesWithDot=\"false\" SecondNames=\"false\"",
                                     "<Item ID=\"1\" GroupID=\"-1\"/><Item ID=\"2\" GroupID=\"1\"/>")
                                .replace("</Items>", "</Items><Images><Image ID=\"2\" N=\"0\">QUJD</Image>"
                                                     "<Image ID=\"2\" N=\"1\">REVG</Image></Images>");
    const auto lists = loadBytes(good);
    EXPECT_EQ(imagesOf(*lists), (QStringList{QStringLiteral("L/2:414243#3"), QStringLiteral("L/2:444546#3")}));
    // Padding may be left out; the last group then gives one or two bytes.
    EXPECT_EQ(imagesOf(*loadBytes(QByteArray(good).replace("QUJD", "QQ==").replace("REVG", "QUI"))),
              (QStringList{QStringLiteral("L/2:41#1"), QStringLiteral("L/2:4142#2")}));

    const std::pair<QByteArray, const char*> bad[] = {
        {QByteArray(good).replace("QUJD", "QU*D"), "image 0 of record 2 is not valid base64"},
        {QByteArray(good).replace("QUJD", "QU=D"), "image 0 of record 2 is not valid base64"},
        {QByteArray(good).replace("QUJD", "QUJD="), "image 0 of record 2 is not valid base64"},
        {QByteArray(good).replace("QUJD", "QQ==QUJD"), "image 0 of record 2 is not valid base64"},
        {QByteArray(good).replace("REVG", "REVGR"), "image 1 of record 2 is not valid base64"},
        {QByteArray(good).replace("REVG", "QUI=="), "image 1 of record 2 is not valid base64"},
        {QByteArray(good).replace("ID=\"2\" N=\"1\"", "ID=\"7\" N=\"0\""), "an image belongs to record 7, which list \"L\" does not have"},
        {QByteArray(good).replace("N=\"1\"", "N=\"2\""), "image 2 of record 2 comes where image 1 was due"},
        {QByteArray(good).replace("N=\"1\"", "N=\"0\""), "image 0 of record 2 comes where image 1 was due"},
        {QByteArray(good).replace(">QUJD<", ">QUJD<b/><"), "<b> inside an image"},
        {QByteArray(good).replace(" N=\"1\"", ""), "<Image> has no N attribute"},
    };
    for (const QByteArray& comment : {QByteArray(), QByteArray("<!-- general parser -->")}) {
        for (const auto& [bytes, reason] : bad) {
            QByteArray form = bytes;
            form.insert(form.indexOf("<Reelkeep"), comment);
            const QString message = test::ErrorMessage([&] { loadBytes(form); });
            EXPECT_TRUE(message.contains(path("in.xkdx")) && message.contains(QStringLiteral("line 1"))
                        && message.contains(QString::fromUtf8(reason)))
                << message.toStdString();
        }
    }

    // One byte over the limit of an image is refused, the limit named; exactly the limit loads.
    const auto sized = [&](qint64 size) {
        return QByteArray(good).replace("QUJD", QByteArray(size, 'x').toBase64());
    };
    const QString tooLarge = test::ErrorMessage<FormatError>([&] { loadBytes(sized(kMaxImageBytes + 1)); });
    EXPECT_TRUE(tooLarge.contains(QStringLiteral("image 0 of record 2 is 33554433 bytes, over the limit of 32 MiB")))
        << tooLarge.toStdString();
    EXPECT_EQ(loadBytes(sized(kMaxImageBytes))->List(0)->Images.ImageSize(2, 0), kMaxImageBytes);
    // Far more base64 than any image may take ends the read before it is all held.
    const QString flood = test::ErrorMessage<FormatError>([&] {
        loadBytes(QByteArray(good).replace("QUJD", QByteArray(kMaxImageBytes / 3 * 4 * 2, 'A')));
    });
    EXPECT_TRUE(flood.contains(QStringLiteral("more than an image of 32 MiB needs"))) << flood.toStdString();
}

TEST_F(XmlCatalogueTest, SaveRefusesCharactersXmlCannotHoldAndKeepsTheOldFile)
{
    const QString fileName = path("keep.xkdx");
    WriteTestFile(fileName, "old");
    auto lists = sampleCatalogue();
    lists->List(0)->Row(0)->Fields[5] = QStringLiteral("bell\a");
    EXPECT_TRUE(test::ErrorMessage<FormatError>([&] { TReelkeepXMLSerialiazerV2_1().Save(fileName, *lists); }).contains(QStringLiteral("U+0007")));
    EXPECT_EQ(ReadWholeFile(fileName), QByteArray("old"));
}

TEST_F(XmlCatalogueTest, ReportsProgressPerList)
{
    auto lists = std::make_unique<TZKLists>(BuiltInColumnDefinitions(), LocaleFormats::russian());
    // The first list is larger than the blocks the rows are counted in beforehand.
    TZKList& big = *lists->AddList(0, QStringLiteral("big"));
    for (int i = 0; i < 6000; ++i)
        big.AddRow()->Fields[csDescription] = QStringLiteral("<List GroupID=\"-1\"> ").repeated(12);
    TZKList& small = *lists->AddList(0, QStringLiteral("small"));
    for (int i = 0; i < 250; ++i)
        small.AddRow(small.AddRow()); // each top-level row with one child
    const QString fileName = path("progress.xkdx");
    TReelkeepXMLSerialiazerV2_1().Save(fileName, *lists);
    ASSERT_GT(QFileInfo(fileName).size(), 1 << 21);
    std::vector<int> values;
    TReelkeepXMLSerialiazerV2_1 reader;
    reader.OnProgress = [&values](int v) { values.push_back(v); };
    reader.Load(fileName);
    std::vector<int> expected(225);
    std::iota(expected.begin(), expected.begin() + 100, 1);
    std::iota(expected.begin() + 100, expected.end(), 1);
    EXPECT_EQ(values, expected);

    // A tag cut by the end of a block the rows are counted in is counted all the same.
    const auto progressOf = [&](qsizetype padding) {
        const QByteArray items = "<Item ID=\"1\" GroupID=\"-1\"><Field N=\"1\">" + QByteArray(padding, 'x')
            + "</Field></Item><Item ID=\"2\" GroupID=\"-1\"/><Item ID=\"3\" GroupID=\"-1\"/>";
        const QByteArray bytes = document("Type=\"0\" NamesWithDot=\"0\" SecondNames=\"0\"", items);
        std::vector<int> seen;
        TReelkeepXMLSerialiazerV2_1 counted;
        counted.OnProgress = [&seen](int v) { seen.push_back(v); };
        counted.Load(write("cut.xkdx", bytes));
        return std::pair(seen, bytes.indexOf("<Item ID=\"2\""));
    };
    const auto [whole, start] = progressOf(0);
    const auto [cut, cutStart] = progressOf((1 << 20) - 5 - start);
    ASSERT_EQ(cutStart, (1 << 20) - 5);
    EXPECT_EQ(cut, whole);
    EXPECT_EQ(whole.size(), 3u);
}

TEST_F(XmlCatalogueTest, NestingUpToTheLimitLoadsAndDeeperIsRefused)
{
    const auto chain = [this](int depth) {
        QByteArray items;
        for (int id = 1; id <= depth; ++id)
            items += "<Item ID=\"" + QByteArray::number(id) + "\" GroupID=\"" + QByteArray::number(id == 1 ? -1 : id - 1) + "\"/>";
        return loadBytes(document("Type=\"0\" NamesWithDot=\"0\" SecondNames=\"0\"", items));
    };
    const auto lists = chain(kMaxRowNesting);
    const TzkRow* row = lists->List(0)->Row(0);
    for (int level = 1; level < kMaxRowNesting; ++level)
        row = row->Children.at(0).get();
    EXPECT_EQ(row->ID, kMaxRowNesting);
    EXPECT_THROW(chain(kMaxRowNesting + 1), FormatError);
}

// Text that entity references add may take a load to 64 × the file size + 64 MiB, no further.
TEST_F(XmlCatalogueTest, EntityExpansionIsBoundedByTheFileSize)
{
    constexpr qint64 entityLength = 10000;
    const auto withReferences = [&](qint64 count) {
        QByteArray notes = "<Notes>";
        notes += QByteArray("&e;").repeated(count);
        notes += "</Notes>";
        QByteArray bytes = document("Type=\"0\" NamesWithDot=\"0\" SecondNames=\"0\"", "<Item ID=\"1\" GroupID=\"-1\"><Field N=\"1\">&e;</Field></Item>");
        bytes.replace("</List>", QByteArray(notes + "</List>"));
        bytes.replace("<?xml version=\"1.0\"?>",
                      QByteArray("<?xml version=\"1.0\"?><!DOCTYPE Reelkeep [<!ENTITY e \"" + QByteArray(entityLength, 'x') + "\">]>"));
        return bytes;
    };
    // The count of references that expands the file to the given share of its limit.
    const auto countFor = [&](double share) {
        const qint64 base = withReferences(0).size();
        return qint64(share * double(64 * base + (qint64(64) << 20)) / (double(entityLength) - share * 64 * 3));
    };
    const auto lists = loadBytes(withReferences(countFor(0.97)));
    EXPECT_EQ(lists->List(0)->Row(0)->Fields[csTitle].size(), entityLength);
    EXPECT_TRUE(test::ErrorMessage<FormatError>([&] { loadBytes(withReferences(countFor(1.03))); })
                    .contains(QStringLiteral("entity references expand it to more than")));
}

#if defined(__SANITIZE_ADDRESS__)
#define REELKEEP_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define REELKEEP_ADDRESS_SANITIZER 1
#endif
#endif

// Run in a child process whose address space is capped, so that the load runs out.
TEST_F(XmlCatalogueTest, RunningOutOfMemoryIsAnErrorMessage)
{
#ifdef REELKEEP_ADDRESS_SANITIZER
    GTEST_SKIP() << "the address sanitizer cannot run with a capped address space";
#endif
    // 400,000 records (a few hundred MB in memory) from a file of 30 KB.
    const QByteArray entity = "<!DOCTYPE Reelkeep [<!ENTITY r \"" + QByteArray("<Item ID='1' GroupID='-1'/>").repeated(100) + "\">]>";
    const QString fileName = write("many.xkdx", document("Type=\"0\" NamesWithDot=\"0\" SecondNames=\"0\"", QByteArray("&r;").repeated(4000))
                                                    .replace("<?xml version=\"1.0\"?>", entity));
    const auto loadWithLittleMemory = [&] {
            std::ifstream status("/proc/self/status");
            std::string key;
            long long kib = 0;
            while (status >> key && key != "VmSize:")
                status.ignore(1 << 10, '\n');
            status >> kib;
            const rlim_t budget = rlim_t(kib) * 1024 + (rlim_t(128) << 20);
            const rlimit limit{budget, budget};
            setrlimit(RLIMIT_AS, &limit);
            try {
                load(fileName);
            } catch (const ReelkeepError& e) {
                std::fputs(e.what(), stderr);
                std::_Exit(0);
            }
            std::_Exit(1);
    };
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(loadWithLittleMemory(), ::testing::ExitedWithCode(0), "There is not enough memory to read");
}

} // namespace
} // namespace reelkeep::testing
