#include "DuplicateFinder.h"

#include "ModelTestSupport.h"

#include <gtest/gtest.h>

using namespace reelkeep;
using namespace reelkeep::testing;

namespace {

struct Film {
    const char* title;
    const char* year = "";
    const char* original = "";
};

TzkRow* addFilm(TZKList& list, const Film& film, TzkRow* parent = nullptr)
{
    TzkRow* row = addRow(list, csTitle, film.title, parent);
    row->Fields[kYear] = QString::fromUtf8(film.year);
    row->Fields[csOrigTitle] = QString::fromUtf8(film.original);
    return row;
}

// The groups as "catalogue:sheet:ID" lists, e.g. "0:0:1 1:0:1 | 0:0:3 0:0:4".
QString describe(const std::vector<DuplicateGroup>& groups)
{
    QStringList parts;
    for (const DuplicateGroup& group : groups) {
        QStringList members;
        for (const DuplicateRecord& r : group)
            members << QStringLiteral("%1:%2:%3").arg(r.Catalogue).arg(r.Sheet).arg(r.Row->ID);
        parts << members.join(QLatin1Char(' '));
    }
    return parts.join(QStringLiteral(" | "));
}

TEST(DuplicateFinderTest, WhatIsAndIsNotOneFilmByTitle)
{
    const struct {
        Film a, b;
        bool same;
    } cases[] = {
        {{"The Matrix", "1999"}, {"Matrix, The", "1999"}, true},
        {{"A Beautiful Mind"}, {"beautiful mind", "2001"}, true},
        {{"Le Samouraï", "1967"}, {"Samouraï", "1967"}, true},
        {{"Der Untergang"}, {"Untergang", "2004"}, true},
        {{"L'Avventura"}, {"Avventura"}, true},
        {{"Spider-Man:  Homecoming!"}, {"spiderman homecoming"}, true},
        {{"Ёлки", "2010"}, {"ЕЛКИ  (2010)"}, true},
        {{"Брат", "1997"}, {"брат", "1998"}, true},
        {{"Брат", "1997"}, {"брат", "1999"}, false},
        {{"Брат", "1997"}, {"Brat", "1997"}, false},
        {{"Don't Look Up"}, {"Dont look up"}, true},
        {{"Солярис", "1972"}, {"Солярис", "2002"}, false},
        {{"Solaris (1972)"}, {"Solaris", "2002"}, false},
        {{"Solaris [1972]"}, {"Solaris", "1973"}, true},
        {{"The Thing", "1982"}, {"The Thing", "2011"}, false},
        {{"Thing", "1982"}, {"Things", "1982"}, false},
        {{"A"}, {"The"}, false},
        {{""}, {""}, false},
        {{"!!!"}, {"..."}, false},
    };
    for (const auto& c : cases) {
        const auto list = makeList();
        addFilm(*list, c.a);
        addFilm(*list, c.b);
        const auto groups = FindDuplicates({{0, 0, list.get()}}, DuplicateRule::Title);
        EXPECT_EQ(groups.size(), c.same ? 1u : 0u) << c.a.title << " / " << c.b.title;
    }
}

TEST(DuplicateFinderTest, GroupsAcrossCataloguesSheetsAndNesting)
{
    // Two catalogues, the second with two sheets; a series whose episodes share its title.
    const auto first = makeList();
    const auto second = makeList();
    const auto third = makeList();
    TzkRow* series = addFilm(*first, {"Friends", "1994"});          // 0:0:1
    addFilm(*first, {"Friends", "1994"}, series);                    // 0:0:2 episode
    addFilm(*first, {"Friends", "1995"}, series);                    // 0:0:3 episode
    addFilm(*first, {"Alien", "1979", "Alien"});                     // 0:0:4
    addFilm(*second, {"Чужой", "1979", "ALIEN"});                    // 1:0:1
    addFilm(*second, {"Stalker"});                                   // 1:0:2
    addFilm(*third, {"Сталкер", "", "Stalker"});                     // 1:1:1
    TzkRow* box = addFilm(*third, {"Alien collection"});             // 1:1:2
    addFilm(*third, {"Alien", "1980"}, box);                         // 1:1:3
    addFilm(*third, {"ALIEN", ""}, box);                             // 1:1:4
    const std::vector<SheetToSearch> sheets{{0, 0, first.get()}, {1, 0, second.get()}, {1, 1, third.get()}};

    // The series and its episodes are one family: no group of their own. The two Aliens
    // of one box are siblings but join the Alien of the first catalogue; largest first.
    EXPECT_EQ(describe(FindDuplicates(sheets, DuplicateRule::Title)), QStringLiteral("0:0:4 1:1:3 1:1:4"));
    // Original titles: the Cyrillic titles meet through them.
    EXPECT_EQ(describe(FindDuplicates(sheets, DuplicateRule::Original)), QStringLiteral("0:0:4 1:0:1"));

    // Once the first catalogue's series has a namesake elsewhere, all three show.
    addFilm(*second, {"Friends", "1995"}); // 1:0:3
    EXPECT_EQ(describe(FindDuplicates(sheets, DuplicateRule::Title)),
              QStringLiteral("0:0:1 0:0:2 0:0:3 1:0:3 | 0:0:4 1:1:3 1:1:4"));
}

TEST(DuplicateFinderTest, MediaWithinOneMegabyteAndOneMinute)
{
    const struct {
        const char *sizeA, *lengthA, *sizeB, *lengthB;
        bool same;
    } cases[] = {
        {"700", "90", "700", "90", true},
        {"700", "90", "701", "91", true},
        {"701", "91", "700", "90", true},
        {"700", "90", "702", "90", false},
        {"700", "90", "700", "92", false},
        {"700", "90", "700", "", false},
        {"", "90", "", "90", false},
        {"0", "0", "0", "0", false},
        {"700 MB", "90", "700", "90", false},
    };
    for (const auto& c : cases) {
        const auto list = makeList();
        for (const auto& [size, length] : {std::pair{c.sizeA, c.lengthA}, std::pair{c.sizeB, c.lengthB}}) {
            TzkRow* row = addFilm(*list, {"any"});
            row->Fields[kSize] = QString::fromUtf8(size);
            row->Fields[kLength] = QString::fromUtf8(length);
        }
        EXPECT_EQ(FindDuplicates({{0, 0, list.get()}}, DuplicateRule::Media).size(), c.same ? 1u : 0u)
            << c.sizeA << "/" << c.lengthA << " " << c.sizeB << "/" << c.lengthB;
    }

    // A sheet whose size column has another pattern has no media to compare.
    const auto list = makeList();
    for (int i = 0; i < 2; ++i) {
        TzkRow* row = addFilm(*list, {"any"});
        row->Fields[kSize] = QStringLiteral("700");
        row->Fields[kLength] = QStringLiteral("90");
    }
    EXPECT_EQ(FindDuplicates({{0, 0, list.get()}}, DuplicateRule::Media).size(), 1u);
    list->Column(kSize).Pattern = QStringLiteral("%Size% MB");
    EXPECT_TRUE(FindDuplicates({{0, 0, list.get()}}, DuplicateRule::Media).empty());
}

TEST(DuplicateFinderTest, CellsShownAndRuleNames)
{
    const auto list = makeList();
    TzkRow* row = addFilm(*list, {"Alien", "1979", "Alien"});
    row->Fields[kSize] = QStringLiteral("1400");
    row->Fields[kLength] = QStringLiteral("117");
    row->Fields[csDiscs] = QStringLiteral("2");
    EXPECT_EQ(DuplicateCells(*list, *row).join(QLatin1Char('|')), QStringLiteral("1|Alien|Alien|1979|1400|117|2"));
    list->Column(kLength).Pattern.clear();
    EXPECT_EQ(DuplicateCells(*list, *row).join(QLatin1Char('|')), QStringLiteral("1|Alien|Alien|1979|1400||2"));
    EXPECT_EQ(DuplicateRuleNamed(QStringLiteral("original")), DuplicateRule::Original);
    EXPECT_EQ(DuplicateRuleNamed(QStringLiteral("Title")), std::nullopt);
}

} // namespace
