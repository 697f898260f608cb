#include "ColumnDefinitions.h"

#include "../support/TestFiles.h"

using namespace reelkeep;
using reelkeep::test::u;

namespace {
QStringList values(const char* cell, bool dot, bool second)
{
    return SplitValues(QString::fromUtf8(cell), dot, second);
}
} // namespace

TEST(ColumnDefinitions, SplitValuesCutsAtTheChosenSeparators)
{
    EXPECT_EQ(values("", true, true), QStringList());
    EXPECT_EQ(values("Smith, Jones", true, false), u({"Smith", "Jones"}));
    EXPECT_EQ(values("Matrix (The Matrix)", false, true), u({"Matrix", "The Matrix"}));
    EXPECT_EQ(values("Ivanov (Ivanoff)/Petrov, Sidorov", true, true), u({"Ivanov", "Ivanoff", "Petrov", "Sidorov"}));
    EXPECT_EQ(values("A, B", false, false), u({"A, B"}));
    EXPECT_EQ(values("A/B", false, true), u({"A/B"}));
    EXPECT_EQ(values("A/B", true, true), u({"A", "B"}));
    EXPECT_EQ(values(" ,\t, x ,,", true, false), u({"x"}));
    EXPECT_EQ(values("{Лев}", false, true), u({"Лев"}));
}
