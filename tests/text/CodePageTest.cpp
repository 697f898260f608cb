#include "CodePage.h"

#include <QStringDecoder>
#include <gtest/gtest.h>

using namespace reelkeep;

TEST(CodePage, Windows1251RoundTripsEveryByte)
{
    const CodePage& cp = CodePage::Default();
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    EXPECT_EQ(cp.encode(cp.decode(all)), all);
    EXPECT_EQ(cp.decode(QByteArray("\xC0\xE1\xA8\xB8\xB9")), QString::fromUtf8("АбЁё№"));
}

TEST(CodePage, AgreesWithTheSystemConverterWhereItHasOne)
{
    QStringDecoder decoder("windows-1251");
    if (!decoder.isValid())
        GTEST_SKIP() << "no windows-1251 converter in this Qt build";
    for (int b = 0; b < 256; ++b) {
        if (b == 0x98)
            continue; // no character in this code page
        const char byte = char(b);
        EXPECT_EQ(CodePage::Default().decode(QByteArrayView(&byte, 1)), decoder.decode(QByteArrayView(&byte, 1))) << b;
    }
}

TEST(CodePage, LossyCharactersBecomeQuestionMarks)
{
    const CodePage& cp = CodePage::Default();
    const QString text = QString::fromUtf8("Amélie 日本");
    EXPECT_FALSE(cp.canEncode(text));
    EXPECT_TRUE(cp.canEncode(QString::fromUtf8("Фильм «Ёж» №1")));
    EXPECT_EQ(cp.encode(text), QByteArray("Am?lie ??"));
    EXPECT_EQ(cp.roundTrip(text), QStringLiteral("Am?lie ??"));
}

TEST(CodePage, LowerCaseFollowsTheCodePage)
{
    const CodePage& cp = CodePage::Default();
    EXPECT_EQ(cp.lower(QString::fromUtf8("ABC АБВЁЇЎ É")), QString::fromUtf8("abc абвёїў É")); // É is outside the page
    EXPECT_EQ(cp.lowerBytes(QByteArray("AZ\xC0\xDF\xA8")), QByteArray("az\xE0\xFF\xB8"));
    EXPECT_EQ(cp.lowerByte(0xE0), 0xE0);
}
