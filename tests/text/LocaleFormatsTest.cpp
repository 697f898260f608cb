#include "LocaleFormats.h"
#include "ReelkeepError.h"

#include "../support/ErrorMessage.h"

#include <gtest/gtest.h>

using namespace reelkeep;

TEST(LocaleFormats, ReadsShortDatesLeniently)
{
    const LocaleFormats ru = LocaleFormats::russian();
    EXPECT_EQ(ru.parseDate(QStringLiteral("05.11.2006")), QDate(2006, 11, 5));
    EXPECT_EQ(ru.parseDate(QStringLiteral(" 5.1.2006 ")), QDate(2006, 1, 5));
    EXPECT_EQ(ru.parseDate(QStringLiteral("5/1/2006")), QDate(2006, 1, 5));
    EXPECT_EQ(ru.formatDate(QDate(2006, 1, 5)), QStringLiteral("05.01.2006"));

    const LocaleFormats us{QStringLiteral("M/d/yy"), QLatin1Char('.')};
    EXPECT_EQ(us.parseDate(QStringLiteral("1/5/2006")), QDate(2006, 1, 5));
    const int thisCentury = QDate::currentDate().year() / 100 * 100;
    EXPECT_EQ(us.parseDate(QStringLiteral("1/5/06")), QDate(thisCentury + 6, 1, 5));
}

TEST(LocaleFormats, RejectsWhatIsNotADate)
{
    const LocaleFormats ru = LocaleFormats::russian();
    for (const char* text : {"", "abc", "31.02.2006", "1.2", "1.2.3.4", "01.13.2006", "1..2006", "1a.2.2006", "05.11.2006x"})
        EXPECT_FALSE(ru.parseDate(QString::fromUtf8(text)).has_value()) << text;
    EXPECT_TRUE(test::ErrorMessage<ConversionError>([&] { ru.toDate(QStringLiteral("soon")); }).contains(QStringLiteral("'soon'")));
}
