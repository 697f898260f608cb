// The plain-text listing of a catalogue.
#include "FormatTestSupport.h"
#include "TextListing.h"

namespace reelkeep::testing {
namespace {

class TextListingTest : public FormatTest {};

TEST_F(TextListingTest, WritesFilledCellsOfTopLevelRowsByteForByte)
{
    TZKLists lists(BuiltInColumnDefinitions(), LocaleFormats::russian());
    TZKList& first = *lists.AddList(0, QStringLiteral("ignored"));
    first.SetColumnName(0, QString::fromUtf8("Номер"));
    first.SetColumnName(2, QStringLiteral("Original"));
    first.SetColumnName(14, QStringLiteral("About"));
    TzkRow* row = first.AddRow();
    row->Fields[0] = QStringLiteral("1");
    row->Fields[2] = QString::fromUtf8("Ёж 日");
    row->Fields[3] = QStringLiteral(""); // empty but not null, as cells read from a file are
    first.AddRow(row)->Fields[0] = QStringLiteral("nested, not written");
    first.AddRow()->Fields[14] = QStringLiteral("a\r\nb");
    first.AddRow(); // no filled cell: only the empty line
    TZKList& second = *lists.AddList(0, QStringLiteral("second"));
    second.SetColumnName(21, QStringLiteral("internal"));
    TzkRow* other = second.AddRow();
    other->Fields[1] = QStringLiteral("x");
    other->Fields[21] = QStringLiteral("never written");

    const QString fileName = write("list.txt", "old content that must go");
    SaveToText(fileName, lists);
    QByteArray want = "\xCD\xEE\xEC\xE5\xF0: 1\r\nOriginal: \xA8\xE6 ?\r\n\r\nAbout: a\r\nb\r\n\r\n\r\n";
    want += CodePage::Default().encode(second.GetColumnName(1)) + ": x\r\n\r\n";
    EXPECT_EQ(read(fileName), want);
}

} // namespace
} // namespace reelkeep::testing
