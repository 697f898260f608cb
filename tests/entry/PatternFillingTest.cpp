#include "PatternFilling.h"

#include <gtest/gtest.h>

using namespace reelkeep;

namespace {

FileValues sampleValues()
{
    FileValues v;
    v.AudTypes = QStringLiteral("AAC/MP3");
    v.AudChannels = QStringLiteral("2/6");
    v.AudBitRates = QStringLiteral("128/448");
    v.AudLanguages = QStringLiteral("Russian, ?");
    v.AudSampleRates = QStringLiteral("44100/48000");
    v.SubtitleLangs = QStringLiteral("English-sub");
    v.Name = QStringLiteral("Film ");
    v.Genre = QStringLiteral("Drama");
    v.Comment = QStringLiteral("Note");
    v.Copyright = QStringLiteral("Studio");
    v.OrigName = QStringLiteral("Foreign");
    v.TotalSize = 700;
    v.TotalLength = 3725;
    v.VidWidth = 720;
    v.VidHeight = 576;
    v.VidType = QStringLiteral("XviD");
    v.VidFPS = 23.976f;
    v.VidBitRate = 1536.0 * 1024 + 512; // exactly 1536.5 kbit: halves to even
    v.FilesCount = 2;
    v.Today = QDate(2024, 3, 9);
    v.Path = QStringLiteral("/films/Film (Foreign) [1-2].avi");
    return v;
}

QString fill(const char* pattern, const FileValues& v = sampleValues())
{
    return FillPattern(QString::fromUtf8(pattern), v, LocaleFormats::russian());
}

} // namespace

TEST(PatternFillingTest, EveryPlaceholder)
{
    EXPECT_EQ(fill("%AudType%|%AudChannels%|%AudBitRate%|%AudLanguages%|%AudSampleRate%|%SubtitleLanguages%"),
              QStringLiteral("AAC/MP3|2/6|128/448|Russian, ?|44100/48000|English-sub"));
    EXPECT_EQ(fill("%Name%(%OrigName%)|%Genre%|%Comment%|%Copyright%"), QStringLiteral("Film (Foreign)|Drama|Note|Studio"));
    EXPECT_EQ(fill("%Size% MB|%VidWidth%x%VidHeight%|%VidType%|%VidFPS%|%VidBitRate%|%Date%|%FilesCount%"),
              QStringLiteral("700 MB|720x576|XviD|23,976|1536|09.03.2024|2"));
    EXPECT_EQ(fill("%VidLength%|%VidHours%|%VidMins%|%VidSecs%"), QStringLiteral("62|1|2|5"));
    // Filled last: a path holding another placeholder's text keeps it.
    FileValues named = sampleValues();
    named.Path = QStringLiteral("/films/%Size%.avi");
    EXPECT_EQ(fill("%Path%|%Size%", named), QStringLiteral("/films/%Size%.avi|700"));
    EXPECT_EQ(fill("no placeholders"), QStringLiteral("no placeholders"));
}

TEST(PatternFillingTest, NumberFormsAndCaseRules)
{
    FileValues v = sampleValues();
    v.VidFPS = 25;
    v.VidBitRate = 2.5 * 1024;
    EXPECT_EQ(fill("%VidFPS% %VidBitRate%", v), QStringLiteral("25 2"));
    v.VidFPS = 0;
    v.VidBitRate = 3.5 * 1024;
    EXPECT_EQ(fill("%VidFPS% %VidBitRate%", v), QStringLiteral("? 4"));
    EXPECT_EQ(FillPattern(QStringLiteral("%VidFPS% %Date%"), sampleValues(), LocaleFormats{QStringLiteral("M/d/yyyy"), QLatin1Char('.')}),
              QStringLiteral("23.976 3/9/2024"));

    // Found case-insensitively once the placeholder occurs in its own spelling.
    EXPECT_EQ(fill("%NAME%"), QStringLiteral("%NAME%"));
    EXPECT_EQ(fill("%NAME%/%Name%/%name%"), QStringLiteral("Film /Film /Film "));
}

TEST(PatternFillingTest, ValuesHoldingPlaceholdersDoNotLoop)
{
    FileValues v = sampleValues();
    v.Name = QStringLiteral("%Name% and %Size%");
    // The inserted name is not searched again for %Name%, but later placeholders are searched in it.
    EXPECT_EQ(fill("[%Name%] %name%", v), QStringLiteral("[%Name% and 700] %Name% and 700"));
}
