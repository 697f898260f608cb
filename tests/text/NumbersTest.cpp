#include "IntegerText.h"
#include "ReelkeepError.h"
#include "Rounding.h"

#include <gtest/gtest.h>
#include <cmath>
#include <limits>

using namespace reelkeep;

TEST(NumbersTest, IntegersAreSignAndDigitsWithinTheirRange)
{
    constexpr qint64 lo = std::numeric_limits<qint32>::min(), hi = std::numeric_limits<qint32>::max();
    EXPECT_EQ(ParseInteger(QByteArrayView("-2147483648"), lo, hi), lo);
    EXPECT_EQ(ParseInteger(QByteArrayView("+2147483647"), lo, hi), hi);
    EXPECT_EQ(ParseInteger(QByteArrayView("0000000000000000000042"), lo, hi), 42);
    for (const char* bad : {"2147483648", "-2147483649", "99999999999999999999999", "", "-", "+", " 1", "1 ", "1e3", "0x10", "--1"})
        EXPECT_FALSE(ParseInteger(QByteArrayView(bad), lo, hi)) << bad;
    // The whole 64-bit range, both ends, without overflowing on the way.
    constexpr qint64 min64 = std::numeric_limits<qint64>::min(), max64 = std::numeric_limits<qint64>::max();
    EXPECT_EQ(ParseInteger(u"-9223372036854775808", min64, max64), min64);
    EXPECT_EQ(ParseInteger(u"9223372036854775807", min64, max64), max64);
    EXPECT_FALSE(ParseInteger(u"9223372036854775808", min64, max64));
    EXPECT_FALSE(ParseInteger(u"-9223372036854775809", min64, max64));
    EXPECT_EQ(ParseInteger(u"fFfFfFfF", 0, 0xFFFFFFFF, 16), 0xFFFFFFFF);
    EXPECT_FALSE(ParseInteger(u"1g", 0, 1000, 16));
    EXPECT_FALSE(ParseInteger(u"١٢", 0, 1000)); // digits of other scripts are no digits here
    EXPECT_FALSE(ParseInteger(u"5", 6, 10));

    EXPECT_EQ(ToInteger(QStringLiteral("  -12 ")), -12);
    EXPECT_THROW(ToInteger(QStringLiteral("12a")), ConversionError);
    EXPECT_THROW(ToInteger(QStringLiteral("4294967296")), ConversionError);
}

TEST(NumbersTest, HalvesRoundToEven)
{
    EXPECT_EQ(RoundHalfEven(1.5), 2);
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(2.5000001), 3);
    EXPECT_EQ(RoundHalfEven(-0.5), 0);
    EXPECT_EQ(RoundHalfEven(-1.5), -2);
    // Damaged measures must not overflow the conversion.
    EXPECT_EQ(RoundHalfEven(std::nan("")), 0);
    EXPECT_EQ(RoundHalfEven(1e300), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(RoundHalfEven(-1e300), std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(DivideHalfEven(7, 2), 4);
    EXPECT_EQ(DivideHalfEven(-3, 2), -2);
    EXPECT_EQ(DivideHalfEven(-5, 2), -2);
}
