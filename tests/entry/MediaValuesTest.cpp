#include "MediaValues.h"

#include <gtest/gtest.h>

using namespace reelkeep;

TEST(MediaValuesTest, IntegerTexts)
{
    EXPECT_EQ(MediaInteger(QStringLiteral("5999")) / 1000, 5);
    EXPECT_EQ(MediaInteger(QStringLiteral("  1500.75 ")), 1500);
    EXPECT_EQ(MediaInteger(QStringLiteral("2 / 6")), 2);
    EXPECT_EQ(MediaInteger(QString()), 0);
    EXPECT_EQ(MediaInteger(QStringLiteral("abc")), 0);
    EXPECT_EQ(MediaInteger(QStringLiteral("-7")), -7);
    // 32-bit fields keep the low 32 bits.
    EXPECT_EQ(MediaInteger32(QStringLiteral("4294967297")), 1);
}

TEST(MediaValuesTest, DecimalAndFrameRateTexts)
{
    EXPECT_DOUBLE_EQ(MediaDecimal(QStringLiteral("1234.5")), 1234.5);
    EXPECT_DOUBLE_EQ(MediaDecimal(QStringLiteral("1234,5")), 1234.5);
    EXPECT_DOUBLE_EQ(MediaDecimal(QStringLiteral("128000 / 96000")), 128000);
    EXPECT_DOUBLE_EQ(MediaDecimal(QStringLiteral("x")), 0);
    EXPECT_DOUBLE_EQ(MediaDecimal(QString()), 0);
    EXPECT_DOUBLE_EQ(*MediaFrameRate(QStringLiteral("23.976")), 23.976);
    EXPECT_DOUBLE_EQ(*MediaFrameRate(QString()), 0);
    EXPECT_FALSE(MediaFrameRate(QStringLiteral("Variable")).has_value());
}

TEST(MediaValuesTest, MebibytesRoundHalvesToEven)
{
    EXPECT_EQ(MebibytesRounded(1572864), 2);  // 1.5 MiB
    EXPECT_EQ(MebibytesRounded(2621440), 2);  // 2.5 MiB
    EXPECT_EQ(MebibytesRounded(2621441), 3);
    EXPECT_EQ(MebibytesRounded(524288), 0);   // 0.5 MiB
}
