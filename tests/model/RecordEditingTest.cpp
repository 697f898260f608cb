// Record editing: automatic numbers, tidied name lists, picked values and colour cells.
#include "ModelTestSupport.h"
#include "RecordEditing.h"

#include <gtest/gtest.h>

namespace reelkeep::testing {
namespace {

struct NumberCase {
    std::vector<std::pair<const char*, const char*>> rows; // number, discs
    bool nestLast;
    int expected;
};

TEST(RecordEditing, NextNumberTakesTheHighestPlusItsDiscs)
{
    const std::vector<NumberCase> cases = {
        {{}, false, 1},
        {{{"1", ""}, {"5", "2"}, {"3", ""}}, false, 7},
        {{{"1", ""}, {"5", ""}}, false, 5},
        {{{"", "4"}, {" 12 ", "1"}}, false, 13},
        {{{"2", "1"}, {"9", "3"}}, true, 12}, // a nested record counts too
        {{{"-4", ""}}, false, 1},
    };
    for (const NumberCase& test : cases) {
        auto list = makeList();
        TzkRow* previous = nullptr;
        for (size_t i = 0; i < test.rows.size(); ++i) {
            const bool nested = test.nestLast && i + 1 == test.rows.size();
            TzkRow* row = addRow(*list, csNumber, test.rows[i].first, nested ? previous : nullptr);
            row->Fields[csDiscs] = QString::fromLatin1(test.rows[i].second);
            previous = row;
        }
        EXPECT_EQ(NextRecordNumber(*list), test.expected) << test.rows.size();
    }
    auto list = makeList();
    addRow(*list, csNumber, "7");
    addRow(*list, csNumber, "7a");
    EXPECT_THROW(NextRecordNumber(*list), ConversionError);
    list->Row(1)->Fields[csNumber] = QStringLiteral("8");
    list->Row(1)->Fields[csDiscs] = QStringLiteral("two");
    EXPECT_THROW(NextRecordNumber(*list), ConversionError);
}

TEST(RecordEditing, TidyTextRemovesSuperfluousSpaces)
{
    const std::vector<std::pair<QString, QString>> cases = {
        {QStringLiteral("Ivanov ,  Petrov ( Jr )"), QStringLiteral("Ivanov, Petrov (Jr )")},
        {QStringLiteral("  a   -  b  "), QStringLiteral("a-b")},
        {QStringLiteral("x\u00A0\u00A0y / z { w } v"), QStringLiteral("x y /z {w }v")},
        {QStringLiteral(" "), QStringLiteral(" ")},
        {QStringLiteral("Смит ,Джонс"), QStringLiteral("Смит,Джонс")},
        {QString(), QString()},
    };
    for (const auto& [text, tidy] : cases)
        EXPECT_EQ(TidyText(text), tidy) << text.toStdString();
}

TEST(RecordEditing, PickedValuesAndColourCells)
{
    EXPECT_EQ(AppendPickedValue(QString(), QStringLiteral("Drama")), QStringLiteral("Drama"));
    EXPECT_EQ(AppendPickedValue(QStringLiteral("Comedy"), QStringLiteral("Drama")), QStringLiteral("Comedy, Drama"));

    EXPECT_EQ(ColourCell(0, 0, 255), QStringLiteral("00FF0000"));
    EXPECT_EQ(ColourCell(255, 255, 255), QStringLiteral("00FFFFFF"));
    EXPECT_EQ(ColourCell(0x12, 0xAB, 0x0C), QStringLiteral("000CAB12"));
    const std::vector<std::pair<QString, std::uint32_t>> cells = {
        {QStringLiteral("00FF0000"), 0x0000FF}, {QStringLiteral("000cab12"), 0x12AB0C},
        {QString(), 0xFFFFFF}, {QStringLiteral("blue"), 0xFFFFFF}, {QStringLiteral("1FFFFFFFF"), 0xFFFFFF}};
    for (const auto& [cell, rgb] : cells)
        EXPECT_EQ(ColourOfCell(cell), rgb) << cell.toStdString();
}

TEST(RecordEditing, NumbersGoOnAfterTheDiscsOfARecordThatFollowsAnother)
{
    // 1 with two discs holds 1 and 2; 5 with two holds 5 and 6, so 7 follows; 7 holds 7.
    auto first = makeList();
    addRow(*first, csNumber, "1")->Fields[csDiscs] = QStringLiteral("2");
    EXPECT_EQ(NextRecordNumber(*first), 3);
    auto list = makeList();
    addRow(*list, csNumber, "5")->Fields[csDiscs] = QStringLiteral("2");
    addRow(*list, csNumber, "7")->Fields[csDiscs] = QStringLiteral("1");
    EXPECT_EQ(NextRecordNumber(*list), 8);
}

} // namespace
} // namespace reelkeep::testing
