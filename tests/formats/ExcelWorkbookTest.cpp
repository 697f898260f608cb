// .xls workbooks: the round trip, the sheet layout read from hand-made workbooks, long
// texts, damaged files and workbooks read on several threads.
#include "Biff8Workbook.h"
#include "CompoundFile.h"
#include "ExcelWorkbook.h"
#include "FormatTestSupport.h"
#include "../support/ErrorMessage.h"

#include <thread>

namespace reelkeep::testing {
namespace {

// What a workbook gives back: no author, line breaks as CR LF and the default row colour.
void asWorkbookReadsIt(const std::vector<RowPtr>& rows)
{
    for (const RowPtr& row : rows) {
        for (QString& cell : row->Fields)
            cell.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\n', QStringLiteral("\r\n"));
        if (row->Fields[csColour].isEmpty())
            row->Fields[csColour] = QStringLiteral("00FFFFFF");
        asWorkbookReadsIt(row->Children);
    }
}

QString asWorkbookReadsIt(TZKLists& lists)
{
    lists.Autor.clear();
    for (const auto& list : lists.Lists)
        asWorkbookReadsIt(list->Items());
    return Describe(lists, Detail::Cells);
}

class ExcelWorkbookTest : public FormatTest {
protected:
    std::unique_ptr<TZKLists> load(const QString& fileName)
    {
        auto lists = std::make_unique<TZKLists>(BuiltInColumnDefinitions(), LocaleFormats::russian());
        LoadFromExcel(fileName, *lists);
        return lists;
    }

    // A workbook of one sheet whose cells the test sets directly.
    template <typename Fill>
    QString handMade(Fill&& fill)
    {
        Biff8Workbook book;
        book.AddSheet(QStringLiteral("Hand made"));
        fill(book);
        const QString fileName = path("hand.xls");
        AtomicFile file(fileName);
        WriteCompoundFile(file, QStringLiteral("Workbook"), book.Build());
        file.commit();
        return fileName;
    }
};

TEST_F(ExcelWorkbookTest, RoundTripKeepsListsNestingAndNames)
{
    auto original = sampleCatalogue();
    // A name longer than a worksheet name, and one that differs from another only in case.
    original->AddList(0, QStringLiteral("A very long list name that no worksheet can hold whole"));
    original->AddList(0, QString::fromUtf8("фильмы"));
    const QString fileName = path("catalogue.xls");
    SaveToExcel(fileName, *original);
    EXPECT_EQ(Describe(*load(fileName), Detail::Cells), asWorkbookReadsIt(*original));
}

TEST_F(ExcelWorkbookTest, ReadsCellsAsTheLayoutSays)
{
    const QString fileName = handMade([](Biff8Workbook& book) {
        book.SetText(0, 0, QStringLiteral("Number"));
        book.SetText(0, 1, QStringLiteral("Title"));
        // Row 2: no ID, no colour, numbers in text columns.
        book.SetNumber(1, 0, 2005);
        book.SetNumber(1, 1, 2.5);
        book.SetText(1, 2, QStringLiteral("a\nb\r\nc"));
        // Row 3: ID given as text, a child of an unknown row.
        book.SetText(2, 1, QStringLiteral("child"));
        book.SetText(2, 21, QStringLiteral(" 12 "));
        book.SetNumber(2, 22, 99);
        // Row 4: nested under row 3.
        book.SetText(3, 20, QStringLiteral("00FF0000"));
        book.SetNumber(3, 21, 13);
        book.SetNumber(3, 22, 12);
        // Row 5 is empty and ends the region; row 6 is beyond it.
        book.SetText(5, 1, QStringLiteral("never read"));
    });
    const auto lists = load(fileName);
    EXPECT_EQ(Describe(*lists), QStringLiteral("autor=\nlist Hand made max=13\n  -1/-1 2,5\n  12/-1 child\n    13/12 \n"));
    const TZKList& list = *lists->List(0);
    EXPECT_EQ(list.GetColumnName(1), QStringLiteral("Title"));
    EXPECT_EQ(list.GetColumnName(2), QString());
    const TzkRow& first = *list.Row(0);
    EXPECT_EQ(first.Fields[0], QStringLiteral("2005"));
    EXPECT_EQ(first.Fields[2], QStringLiteral("a\r\nb\r\nc"));
    EXPECT_EQ(first.Fields[csColour], QStringLiteral("00FFFFFF"));
    EXPECT_EQ(list.Row(1)->Child(0)->Fields[csColour], QStringLiteral("00FF0000"));
}

TEST_F(ExcelWorkbookTest, LongAndManyStringsCrossRecordBoundaries)
{
    auto lists = std::make_unique<TZKLists>(BuiltInColumnDefinitions(), LocaleFormats::russian());
    TZKList& list = *lists->AddList(0, QStringLiteral("big"));
    const QString wide = QString::fromUtf8("Ж😀").repeated(Biff8Workbook::kMaxWideText / 3);
    for (int i = 0; i < 3000; ++i) {
        TzkRow* row = list.AddRow();
        row->Fields[1] = QStringLiteral("title %1").arg(i);
        row->Fields[2] = QString::fromUtf8("название %1").arg(i);
        if (i % 500 == 0) {
            row->Fields[14] = QString(QChar(u'a' + i % 26)).repeated(Biff8Workbook::kMaxNarrowText);
            row->Fields[15] = wide;
        }
    }
    const QString fileName = path("big.xls");
    SaveToExcel(fileName, *lists);
    EXPECT_EQ(Describe(*load(fileName), Detail::Cells), asWorkbookReadsIt(*lists));

    // Text the format cannot hold is refused before anything is written.
    list.Row(0)->Fields[14] += u'!';
    EXPECT_THROW(SaveToExcel(path("too-long.xls"), *lists), FormatError);
    list.Row(0)->Fields[14].chop(1);
    list.Row(0)->Fields[15] += QString::fromUtf8("Ж");
    EXPECT_THROW(SaveToExcel(path("too-long.xls"), *lists), FormatError);
    EXPECT_FALSE(QFile::exists(path("too-long.xls")));
}

TEST_F(ExcelWorkbookTest, DamagedWorkbooksGiveAnErrorNamingTheFile)
{
    const QString fileName = path("good.xls");
    SaveToExcel(fileName, *sampleCatalogue());
    const QByteArray good = ReadWholeFile(fileName);
    const QString damaged = path("damaged.xls");
    const auto tryLoad = [&](const QByteArray& bytes) {
        WriteTestFile(damaged, bytes);
        try {
            load(damaged);
        } catch (const ReelkeepError& e) {
            EXPECT_TRUE(e.message().contains(damaged)) << e.message().toStdString();
        }
    };
    // Each reading forks a child, so the damage is sampled rather than exhaustive.
    for (qsizetype length = 0; length < good.size(); length += 211)
        tryLoad(good.left(length));
    for (qsizetype at = 0; at < good.size(); at += 41) {
        QByteArray flipped = good;
        flipped[at] = char(flipped[at] ^ 0x5A);
        tryLoad(flipped);
    }
    // A workbook on which FreeXL itself overruns a buffer (found by fuzzing): the
    // reading runs apart from the program, so this is an error and not a crash.
    const QString crash = QStringLiteral(FORMATS_TEST_DATA_DIR "/freexl-crash.xls");
    ASSERT_TRUE(QFile::exists(crash));
    EXPECT_THROW(load(crash), FormatError);
    EXPECT_THROW(load(path("missing.xls")), FileError);
    const QString textId = handMade([](Biff8Workbook& book) {
        book.SetText(0, 0, QStringLiteral("Number"));
        book.SetText(1, 21, QStringLiteral("seven"));
    });
    const QString badId = test::ErrorMessage<ConversionError>([&] { load(textId); });
    EXPECT_TRUE(badId.contains(textId) && badId.contains(QStringLiteral("seven"))) << badId.toStdString();
    WriteTestFile(damaged, QByteArray());
    EXPECT_THROW(load(damaged), FormatError);
}

// The interface loads on worker threads: workbooks read at the same time each get their own cells.
TEST_F(ExcelWorkbookTest, WorkbooksReadOnSeveralThreadsAtOnce)
{
    auto other = sampleCatalogue();
    other->AddList(0, QStringLiteral("second"));
    const QString first = path("first.xls"), second = path("second.xls");
    SaveToExcel(first, *sampleCatalogue());
    SaveToExcel(second, *other);
    const QString expected[] = {Describe(*load(first), Detail::Cells), Describe(*load(second), Detail::Cells)};
    ASSERT_NE(expected[0], expected[1]);
    QString read[2][4];
    std::vector<std::thread> readers;
    for (int t = 0; t < 2; ++t)
        readers.emplace_back([&, t] {
            for (QString& result : read[t])
                result = Describe(*load(t == 0 ? first : second), Detail::Cells);
        });
    for (std::thread& reader : readers)
        reader.join();
    for (int t = 0; t < 2; ++t)
        for (const QString& result : read[t])
            EXPECT_EQ(result, expected[t]) << t;
}

// 42,000 cells sharing one 16,000-character string: a 600 KB file that would expand
// to 670 MB is refused, by its text bound, before the program holds it.
TEST_F(ExcelWorkbookTest, SharedStringsExpandingBeyondTheBoundAreRefused)
{
    const QString bomb = handMade([](Biff8Workbook& book) {
        const QString shared(16000, u'x');
        for (int row = 0; row < 42000; ++row)
            book.SetText(row, 1, shared);
    });
    const QString message = test::ErrorMessage<FormatError>([&] { load(bomb); });
    EXPECT_TRUE(message.contains(bomb) && message.contains(QStringLiteral("64 times its size"))) << message.toStdString();
}

} // namespace
} // namespace reelkeep::testing
