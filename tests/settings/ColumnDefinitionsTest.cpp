#include "ColumnDefinitions.h"

#include <gtest/gtest.h>

using namespace reelkeep;

namespace {
QStringList values(const char* cell, bool dot, bool second)
{
    return SplitValues(QString::fromUtf8(cell), dot, second);
}
QStringList list(std::initializer_list<const char*> items)
{
    QStringList out;
    for (const char* i : items)
        out << QString::fromUtf8(i);
    return out;
}
} // namespace

TEST(ColumnDefinitions, SplitValuesCutsAtTheChosenSeparators)
{
    EXPECT_EQ(values("", true, true), QStringList());
    EXPECT_EQ(values("Smith, Jones", true, false), list({"Smith", "Jones"}));
    EXPECT_EQ(values("Matrix (The Matrix)", false, true), list({"Matrix", "The Matrix"}));
    EXPECT_EQ(values("Ivanov (Ivanoff)/Petrov, Sidorov", true, true), list({"Ivanov", "Ivanoff", "Petrov", "Sidorov"}));
    EXPECT_EQ(values("A, B", false, false), list({"A, B"}));
    EXPECT_EQ(values("A/B", false, true), list({"A/B"}));
    EXPECT_EQ(values("A/B", true, true), list({"A", "B"}));
    EXPECT_EQ(values(" ,\t, x ,,", true, false), list({"x"}));
    EXPECT_EQ(values("{Лев}", false, true), list({"Лев"}));
}
