#include "TSyntaxAnalizer.h"
#include "TzkMask.h"

#include <gtest/gtest.h>

#include <QStringList>

using namespace reelkeep;

namespace {

QString u(const char* s) { return QString::fromUtf8(s); }

// The compiled program written as e.g. "RollTo(ab) BeginWith(ab) End(cd)".
QString program(const char* maskText)
{
    const TzkMask mask(u(maskText));
    QStringList parts;
    for (int i = 0; i < mask.Count(); ++i) {
        const TzkCommand& c = mask.Command(i);
        if (dynamic_cast<const TzkBeginWithCommand*>(&c))
            parts << QStringLiteral("BeginWith(%1)").arg(c.Text);
        else if (dynamic_cast<const TzkRollToCommand*>(&c))
            parts << QStringLiteral("RollTo(%1)").arg(c.Text);
        else if (dynamic_cast<const TzkEndCommand*>(&c))
            parts << QStringLiteral("End(%1)").arg(c.Text);
        else
            parts << QStringLiteral("AnyChar");
    }
    return parts.join(QLatin1Char(' '));
}

bool matches(const char* mask, const char* text)
{
    return TzkMask(u(mask)).Matches(u(text));
}

} // namespace

TEST(TzkMask, CompilesToTheExpectedCommands)
{
    EXPECT_EQ(program("abc"), u("End(abc)"));
    EXPECT_EQ(program("abc*"), u("BeginWith(abc)"));
    EXPECT_EQ(program("*abc"), u("RollTo(abc) End(abc)"));
    EXPECT_EQ(program("*ab*cd"), u("RollTo(ab) BeginWith(ab) RollTo(cd) End(cd)"));
    EXPECT_EQ(program("a?c"), u("BeginWith(a) AnyChar End(c)"));
    EXPECT_EQ(program("*?x"), u("RollTo(?) AnyChar End(x)"));
    EXPECT_EQ(program("*"), QString());
    EXPECT_EQ(program(""), QString());
    EXPECT_EQ(program("**a"), u("RollTo(a) End(a)"));
    EXPECT_EQ(program("?"), u("AnyChar"));
}

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
