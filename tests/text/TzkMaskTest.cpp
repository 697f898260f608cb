#include "TSyntaxAnalizer.h"
#include "TzkMask.h"

#include <gtest/gtest.h>

using namespace reelkeep;

namespace {

QString u(const char* s) { return QString::fromUtf8(s); }

bool matches(const char* mask, const char* text)
{
    return TzkMask(u(mask)).Matches(u(text));
}

} // namespace

TEST(TzkMask, MatchesWithoutBacktracking)
{
    EXPECT_TRUE(matches("abc", "abc"));
    EXPECT_FALSE(matches("abc", "abcd"));
    EXPECT_FALSE(matches("abc", "ab"));
    EXPECT_TRUE(matches("abc*", "abc"));
    EXPECT_TRUE(matches("abc*", "abcdef"));
    EXPECT_FALSE(matches("abc*", "xabc"));
    EXPECT_TRUE(matches("*abc", "xxabc"));
    EXPECT_FALSE(matches("*abc", "abcxabc")); // the roll stops at the first abc
    EXPECT_TRUE(matches("a?c", "abc"));
    EXPECT_FALSE(matches("a?c", "abcd"));
    EXPECT_TRUE(matches("a?", "ab"));
    EXPECT_TRUE(matches("a?", "abcd"));
    EXPECT_FALSE(matches("a?", "a"));
    EXPECT_FALSE(matches("*?x", "abx"));
    EXPECT_TRUE(matches("*?x", "a?x"));
    EXPECT_FALSE(matches("*?x", "a?bx"));
    EXPECT_TRUE(matches("**", "anything"));
    EXPECT_TRUE(matches("**a", "xa"));
    EXPECT_FALSE(matches("**a", "xab"));
    EXPECT_TRUE(matches("*ab*cd", "xabycd"));
    EXPECT_FALSE(matches("*ab*cd", "xcdab"));
    EXPECT_TRUE(matches("?", "a"));
    EXPECT_FALSE(matches("?", ""));
    EXPECT_TRUE(matches("", ""));
    EXPECT_TRUE(matches("", "anything"));
    EXPECT_TRUE(matches("*ма*", "зима"));
    EXPECT_FALSE(matches("*ма*", "мир"));
}

TEST(TSimpleSyntaxAnalizer, FoldsCaseAndYo)
{
    const TSimpleSyntaxAnalizer analizer;
    EXPECT_EQ(analizer.Analize(u("ЁЛКА")), u("елка"));
    EXPECT_EQ(analizer.Analize(u("Ёлка")), u("елка"));
    EXPECT_EQ(analizer.Analize(u("MiXeD Ґ")), u("mixed ґ"));
    const TzkMask mask(analizer.Analize(u("ёлка*")));
    EXPECT_TRUE(mask.Matches(analizer.Analize(u("Елка зеленая"))));
}

TEST(TSyntaxAnalizer, RunsTheChainFirst)
{
    struct Upper : TSyntaxAnalizer {
        QString Analize(const QString& text) const override { return text + u("!"); }
    };
    const TSimpleSyntaxAnalizer chained(std::make_unique<Upper>());
    EXPECT_EQ(chained.Analize(u("AB")), u("ab!"));
}
