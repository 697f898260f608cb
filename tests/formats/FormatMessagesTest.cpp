// The errors of the file forms reach the interface as keyed messages: rendered in
// any language, each argument lands in the place its text gives it, and another
// library's words stay as they were said.
#include "Biff8Workbook.h"
#include "CompoundFile.h"
#include "ExcelWorkbook.h"
#include "FormatTestSupport.h"
#include "TReelkeepXMLSerialiazerV2_1.h"

#include <QStringList>

namespace reelkeep::testing {
namespace {

// A language whose every text names its key and lists its places in order,
// "XlsPlaceCell(%1,%2)", so a rendering shows which argument went where.
QString Structure(const Message& message)
{
    return message.render([](const QString& key) {
        const QString english = EnglishMessageText(key);
        QStringList places;
        for (int n = 1; n <= 9; ++n)
            if (const QString place = QStringLiteral("%") + QString::number(n); english.contains(place))
                places << place;
        return QStringLiteral("%1(%2)").arg(key, places.join(QLatin1Char(',')));
    });
}

template <typename Call>
std::string ErrorStructure(Call&& call)
{
    try {
        call();
    } catch (const ReelkeepError& error) {
        return Structure(error.text()).toStdString();
    }
    ADD_FAILURE() << "no error was raised";
    return {};
}

class FormatMessagesTest : public FormatTest {
protected:
    std::unique_ptr<TZKLists> oneListWith(const QString& cell)
    {
        auto lists = std::make_unique<TZKLists>(BuiltInColumnDefinitions(), LocaleFormats::russian());
        TZKList* list = lists->AddList(0, QStringLiteral("Films"));
        list->AddRow()->Fields[csTitle] = QStringLiteral("first");
        list->AddRow()->Fields[csDescription] = cell;
        return lists;
    }
};

TEST_F(FormatMessagesTest, ArgumentsLandInTheirPlacesInAnyLanguage)
{
    // A workbook whose record number is a word: the sheet's own row and column, counted from 1.
    Biff8Workbook book;
    book.AddSheet(QStringLiteral("Hand made"));
    book.SetText(0, 0, QStringLiteral("Number"));
    book.SetText(1, 21, QStringLiteral("seven"));
    const QString handMade = path("hand.xls");
    AtomicFile file(handMade);
    WriteCompoundFile(file, QStringLiteral("Workbook"), book.Build());
    file.commit();
    const auto loadExcel = [](const QString& fileName) {
        TZKLists lists(BuiltInColumnDefinitions(), LocaleFormats::russian());
        LoadFromExcel(fileName, lists);
    };
    EXPECT_EQ(ErrorStructure([&] { loadExcel(handMade); }),
              QStringLiteral("XlsNotInteger(%1,seven,Hand made,2,22)").arg(handMade)
                  .toStdString());

    // A text longer than a cell holds: where it is, then the limits for Latin-1 and for wider text.
    const QString tooLong = path("long.xls");
    const QString cyrillic(Biff8Workbook::kMaxWideText + 1, QChar(0x0416));
    EXPECT_EQ(ErrorStructure([&] { SaveToExcel(tooLong, *oneListWith(cyrillic)); }),
              QStringLiteral("XlsTextTooLong(%1,XlsPlaceCell(%2,2),Films,%3,%4,%5)")
                  .arg(tooLong)
                  .arg(csDescription)
                  .arg(cyrillic.size())
                  .arg(Biff8Workbook::kMaxNarrowText)
                  .arg(Biff8Workbook::kMaxWideText)
                  .toStdString());

    // A character XML cannot store, with the cell, record and list it is in.
    const QString xml = path("bell.xkdx");
    EXPECT_EQ(ErrorStructure([&] { TReelkeepXMLSerialiazerV2_1().Save(xml, *oneListWith(QStringLiteral("ring \a"))); }),
              QStringLiteral("XmlCannotStoreCharacter(%1,XmlPlaceCell(%2,2,Films),0007)").arg(xml).arg(csDescription)
                  .toStdString());

    // The XML parser's reason in its own words, then the line and the column (from 1) of the tag it stopped at.
    const QString broken = write("broken.xkdx", "<?xml version=\"1.0\"?>\n<Reelkeep MajorVersion=\"2\">\n  <List Name=\"x\"></Lost>");
    EXPECT_EQ(ErrorStructure([&] { TReelkeepXMLSerialiazerV2_1().Load(broken); }),
              QStringLiteral("XmlNotWellFormed(%1,mismatched tag,3,20)").arg(broken)
                  .toStdString());
}

} // namespace
} // namespace reelkeep::testing
