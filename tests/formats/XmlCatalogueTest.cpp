// The XML catalogue: what it writes, what it reads leniently, and what it refuses.
#include "FormatTestSupport.h"
#include "TReelkeepXMLSerialiazerV2_1.h"

#include <QFileInfo>
#include <numeric>

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
                                          "<Field N=\"-1\">y</Field><Field N=\"21\">z</Field></Item>"
                                          "<Item ID=\"9\" GroupID=\"42\"><Field N=\"2\">orphan</Field></Item>"));
    ASSERT_EQ(lists->Count(), 1);
    const TZKList& list = *lists->List(0);
    const TzkColumn& column = list.Column(3);
    EXPECT_EQ(column.Type, 1);
    EXPECT_TRUE(column.NamesWithDot);
    EXPECT_FALSE(column.SecondNames);
    EXPECT_EQ(column.Width, BuiltInColumnDefinitions()[3].width) << "no Width keeps the settings' width";
    EXPECT_EQ(column.LogicalValue, QString());
    ASSERT_EQ(list.RowCount(), 2);
    EXPECT_EQ(list.Row(0)->Fields[csTitle], QStringLiteral("t"));
    EXPECT_EQ(list.Row(0)->Fields[csInternal], QStringLiteral("z"));
    EXPECT_EQ(list.Row(1)->GroupID, 42) << "an unknown parent leaves a top-level row with its GroupID";
    EXPECT_EQ(list.MaxID, 9);

    const auto mixed = loadBytes(document("Type=\"0\" NamesWithDot=\"fAlSe\" SecondNames=\"-3\"", ""));
    EXPECT_FALSE(mixed->List(0)->Column(0).NamesWithDot);
    EXPECT_TRUE(mixed->List(0)->Column(0).SecondNames);
}

TEST_F(XmlCatalogueTest, ReadsWindows1251DeclaredFilesAndIgnoresOtherMajorVersions)
{
    // "Фильм" in windows-1251, with a CR LF written as character references.
    const QByteArray items = "<Item ID=\"1\" GroupID=\"-1\"><Field N=\"1\">\xD4\xE8\xEB\xFC\xEC&#13;&#10;2</Field></Item>";
    QByteArray bytes = document("Type=\"0\" NamesWithDot=\"false\" SecondNames=\"false\"", items);
    bytes.replace("<?xml version=\"1.0\"?>", "<?xml version=\"1.0\" encoding=\"windows-1251\"?>");
    bytes.replace("Name=\"L\"", "Name=\"\xD1\xEF\xE8\xF1\xEE\xEA\"");
    // "1251" is a name only our own code page knows, so that file is decoded by us.
    for (const QByteArray& encoding : {QByteArray("windows-1251"), QByteArray("1251")}) {
        const auto lists = loadBytes(QByteArray(bytes).replace("windows-1251", encoding));
        EXPECT_EQ(lists->List(0)->Name, QString::fromUtf8("Список"));
        EXPECT_EQ(lists->List(0)->Row(0)->Fields[csTitle], QString::fromUtf8("Фильм\r\n2"));
    }

    const auto other = loadBytes("<Reelkeep MajorVersion=\"3\"><List Name=\"x\"/></Reelkeep>");
    EXPECT_EQ(other->Count(), 0);
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
    for (const QByteArray& bytes : bad) {
        try {
            loadBytes(bytes);
            ADD_FAILURE() << "accepted: " << bytes.toStdString();
        } catch (const ReelkeepError& e) {
            EXPECT_TRUE(e.message().contains(path("in.xkdx"))) << e.message().toStdString();
        }
    }
    // Every truncation of a written catalogue is refused, none half-read.
    const QString fileName = path("whole.xkdx");
    TReelkeepXMLSerialiazerV2_1().Save(fileName, *sampleCatalogue());
    const QByteArray whole = ReadWholeFile(fileName);
    for (qsizetype length = 0; length < whole.size() - 2; length += 7)
        EXPECT_THROW(loadBytes(whole.left(length)), ReelkeepError) << length;
}

TEST_F(XmlCatalogueTest, SaveRefusesCharactersXmlCannotHoldAndKeepsTheOldFile)
{
    const QString fileName = path("keep.xkdx");
    WriteTestFile(fileName, "old");
    auto lists = sampleCatalogue();
    lists->List(0)->Row(0)->Fields[5] = QStringLiteral("bell\a");
    try {
        TReelkeepXMLSerialiazerV2_1().Save(fileName, *lists);
        ADD_FAILURE() << "saved a control character";
    } catch (const FormatError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("U+0007"))) << e.message().toStdString();
    }
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
}

} // namespace
} // namespace reelkeep::testing
