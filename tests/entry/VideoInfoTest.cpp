#include "TestVideos.h"
#include "TzkVideoInfo.h"

#include <QFileInfo>
#include <gtest/gtest.h>

using namespace reelkeep;
using reelkeep::test::TestVideos;

// The tags, the picture's size and rate, and the audio type, channel, language and subtitle lists are
// checked in the records built from this file.
TEST(VideoInfoTest, ReadsEveryValueOfAFullFile)
{
    const QString file = TestVideos::Get().full();
    TzkVideoInfo info;
    info.Load(file);
    EXPECT_EQ(info.FileName, file);
    EXPECT_EQ(info.FileSize, QFileInfo(file).size());
    EXPECT_EQ(info.Title, QStringLiteral("Тестовый фильм"));
    ASSERT_EQ(info.VideoCount, 1);
    EXPECT_EQ(info.Video.front().Duration, 3);
    EXPECT_FALSE(info.Video.front().Codec.isEmpty());
    ASSERT_EQ(info.AudioCount, 2);
    EXPECT_GT(info.Audio[1].BitRate, 1000);
    EXPECT_EQ(info.TextCount, 2);

    EXPECT_EQ(info.AudSampleRates(QStringLiteral("/")), QStringLiteral("22050/44100"));
    EXPECT_EQ(info.AudBitRates(QStringLiteral("/")).section(QLatin1Char('/'), 1), QString::number(info.Audio[1].BitRate / 1000));
}

TEST(VideoInfoTest, StreamsThatAreMissing)
{
    TzkVideoInfo silent;
    silent.Load(TestVideos::Get().clip3s());
    EXPECT_EQ(silent.Video.front().Duration, 3);
    EXPECT_TRUE(silent.LengthRead);
    EXPECT_NEAR(silent.Video.front().FrameRate, 23.976f, 0.001f);
    EXPECT_EQ(silent.AudTypes(QStringLiteral("/")), QStringLiteral("-"));
    EXPECT_EQ(silent.AudLanguages(QStringLiteral(", ")), QStringLiteral("-"));
    EXPECT_EQ(silent.AudBitRates(QStringLiteral("/")), QStringLiteral("-"));
    EXPECT_EQ(silent.SubtitleLangs(QStringLiteral(", ")), QStringLiteral("-"));
    EXPECT_TRUE(silent.Title.isEmpty());

    // Audio only: one video record, all zero.
    TzkVideoInfo audio;
    audio.Load(TestVideos::Get().audioOnly());
    ASSERT_EQ(audio.Video.size(), 1u);
    EXPECT_EQ(audio.Video.front().Width, 0);
    EXPECT_EQ(audio.Video.front().Duration, 0);
    EXPECT_FALSE(audio.LengthRead);
    EXPECT_EQ(audio.Video.front().FrameRate, 0.0f);
    EXPECT_EQ(audio.AudTypes(QStringLiteral("/")), QStringLiteral("MP3"));
    EXPECT_EQ(audio.AudLanguages(QStringLiteral(", ")), QStringLiteral("?"));
}
