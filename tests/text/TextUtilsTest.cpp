#include "TextUtils.h"

#include "../support/TestFiles.h"

#include <gtest/gtest.h>

using namespace reelkeep;
using reelkeep::test::u;

TEST(TextUtils, CopyForgivesOutOfRangeArguments)
{
    EXPECT_EQ(Copy(u("abcdef"), 2, 3), u("bcd"));
    EXPECT_EQ(Copy(u("abcdef"), 0, 2), u("ab"));   // index below 1 counts as 1, count kept
    EXPECT_EQ(Copy(u("abcdef"), -5, 3), u("abc"));
    EXPECT_EQ(Copy(u("abcdef"), 5, 100), u("ef"));
    EXPECT_EQ(Copy(u("abcdef"), 7, 1), QString());
    EXPECT_EQ(Copy(u("abcdef"), 6, 1), u("f"));
    EXPECT_EQ(Copy(u("abcdef"), 2, -1), QString());
    EXPECT_EQ(Copy(QString(), 1, 1), QString());
}

TEST(TextUtils, AppendItemMarksMissingItems)
{
    EXPECT_EQ(AppendItem(QString(), QString(), u("/")), u("?"));
    EXPECT_EQ(AppendItem(u("AAC"), QString(), u("/")), u("AAC/?"));
    EXPECT_EQ(AppendItem(u("AAC"), u("AC3"), u(", ")), u("AAC, AC3"));
    EXPECT_EQ(AppendItem(QString(), u("en"), u("/")), u("en"));
}

TEST(TextUtils, IsNumberAcceptsOnlyDigitRuns)
{
    EXPECT_FALSE(IsNumber(QString()));
    EXPECT_FALSE(IsNumber(u("1 ")));
    EXPECT_FALSE(IsNumber(u("-1")));
    EXPECT_FALSE(IsNumber(u("1.5")));
    EXPECT_FALSE(IsNumber(u("١٢"))); // other scripts' digits are not digits here
    EXPECT_TRUE(IsNumber(u("007")));
}

TEST(TextUtils, ReplaceAllPresenceTestIsCaseSensitive)
{
    EXPECT_EQ(ReplaceAll(u("x %NAME% y"), u("%Name%"), u("Film"), false), u("x %NAME% y"));
    EXPECT_EQ(ReplaceAll(u("%NAME% and %Name%"), u("%Name%"), u("Film"), false), u("Film and Film"));
    EXPECT_EQ(ReplaceAll(u("a.b.c"), u("."), u(","), true), u("a,b,c"));
    EXPECT_EQ(ReplaceAll(u("Ёлка ёлка"), u("ё"), u("е"), false), u("елка елка")); // Cyrillic folds too
    EXPECT_EQ(ReplaceAll(u("abc"), QString(), u("x"), false), u("abc"));
    // A new text holding the old one ends instead of growing forever.
    EXPECT_EQ(ReplaceAll(u("[%Name%]"), u("%Name%"), u("%name% 2"), false), u("[%name% 2]"));
    EXPECT_EQ(ReplaceAll(u("%Na%Name%me%"), u("%Name%"), u("me%x%Na"), false), u("%Name%x%Name%"));
}

TEST(TextUtils, CuttingAroundSubstrings)
{
    EXPECT_EQ(TextFrom(u("."), u("film.avi")), u(".avi"));
    EXPECT_EQ(TextAfter(u("."), u("film.avi")), u("avi"));
    EXPECT_EQ(TextBefore(u("."), u("film.avi")), u("film"));
    EXPECT_EQ(TextBefore(u("."), u("film")), QString());
    EXPECT_EQ(TextAfter(u("."), u("film")), QString());
    EXPECT_EQ(TextFrom(u("."), u("film")), QString());
    EXPECT_EQ(TextAfter(u("a"), u("a")), QString());

    EXPECT_EQ(TextBetween(u("("), u(")"), u("Film (Orig) x")), u("Orig"));
    EXPECT_EQ(TextBetween(u("("), u(")"), u("Film Orig) x")), u("Film Orig"));
    EXPECT_EQ(TextBetween(u("("), u(")"), u("Film (Orig x")), QString());
    EXPECT_EQ(TextBetween(u("("), u(")"), u("a) (b")), QString());

    EXPECT_EQ(TextBeforeCase(u(".cd"), u("Film.CD1.avi"), false), u("Film"));
    EXPECT_EQ(TextBeforeCase(u(".cd"), u("Film.CD1.avi"), true), QString());
    EXPECT_EQ(TextAfterCase(u(".CD"), u("Фильм.cd2.avi"), false), u("2.avi"));
    EXPECT_EQ(TextAfterCase(u("ФИЛЬМ"), u("фильм.avi"), false), u(".avi"));
}

TEST(TextUtils, EveryDigitCountsAndTheCharactersBesideThemDoNot)
{
    EXPECT_TRUE(IsNumber(u("1234567890")));
    EXPECT_TRUE(IsNumber(u("9")));
    // '/' and ':' lie just below and above the digits.
    EXPECT_FALSE(IsNumber(u("1/2")));
    EXPECT_FALSE(IsNumber(u("19:30")));
}
