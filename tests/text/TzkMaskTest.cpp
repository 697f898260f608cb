#include "TSyntaxAnalizer.h"
#include "TzkMask.h"

#include "../support/TestFiles.h"

#include <gtest/gtest.h>
#include <vector>

using namespace reelkeep;
using reelkeep::test::u;

namespace {


bool matches(const char* mask, const char* text)
{
    return TzkMask(u(mask)).Matches(u(text));
}

} // namespace

TEST(TzkMask, MatchesWithoutBacktracking)
{
    // A mask, the texts it matches and the texts it does not.
    const struct {
        const char* mask;
        std::vector<const char*> matching, other;
    } cases[] = {
        {"abc", {"abc"}, {"abcd", "ab"}},
        {"abc*", {"abc", "abcdef"}, {"xabc"}},
        {"*abc", {"xxabc"}, {"abcxabc"}}, // the roll stops at the first abc
        {"a?c", {"abc"}, {"abcd"}},
        {"a?", {"ab", "abcd"}, {"a"}},
        {"*?x", {"a?x"}, {"abx", "a?bx"}},
        {"**", {"anything"}, {}},
        {"**a", {"xa"}, {"xab"}},
        {"*ab*cd", {"xabycd"}, {"xcdab"}},
        {"?", {"a"}, {""}},
        {"", {"", "anything"}, {}},
        {"*ма*", {"зима"}, {"мир"}},
    };
    for (const auto& c : cases) {
        for (const char* text : c.matching)
            EXPECT_TRUE(matches(c.mask, text)) << c.mask << " " << text;
        for (const char* text : c.other)
            EXPECT_FALSE(matches(c.mask, text)) << c.mask << " " << text;
    }
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
