// Frames of a video taken in the helper executable: where in the film, how large,
// and a clear error within the deadline for a file that gives none.
#include "FrameGrabber.h"
#include "ReelkeepError.h"
#include "TestVideos.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QStandardPaths>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace reelkeep;

namespace {

class FrameGrabberTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (QStandardPaths::findExecutable(QStringLiteral("ffmpeg")).isEmpty())
            GTEST_SKIP() << "ffmpeg is not installed: no video to take frames from";
    }
    static QImage decoded(const QByteArray& jpeg)
    {
        QBuffer buffer;
        buffer.setData(jpeg);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer, "jpeg");
        return reader.read();
    }
    // The message of the FileError the grab raises, and how long it took.
    static std::pair<QString, qint64> failure(FrameGrabber& grabber, const QString& path)
    {
        QElapsedTimer clock;
        clock.start();
        try {
            grabber.Grab({path, 50});
        } catch (const FileError& error) {
            return {error.message(), clock.elapsed()};
        }
        return {QString(), clock.elapsed()};
    }
};

TEST_F(FrameGrabberTest, TakesTheKeyFrameBeforeEachPointScaledToTheLongestSide)
{
    const QString video = test::TestVideos::Get().redRamp();
    FrameGrabber grabber;
    for (const int percent : kChooserPercents) {
        const QByteArray jpeg = grabber.Grab({video, double(percent)});
        ASSERT_TRUE(jpeg.startsWith("\xFF\xD8")) << percent;
        const QImage frame = decoded(jpeg);
        EXPECT_EQ(frame.size(), QSize(1024, 256)) << percent;
        // Key frames come every second, so the frame shown is of the whole second before.
        const int second = percent / 10;
        EXPECT_NEAR(qRed(frame.pixel(512, 128)), 25 * second, 8) << percent;
        EXPECT_LT(qGreen(frame.pixel(512, 128)), 12) << percent;
    }
    // A smaller side asked for, and the very end of the film.
    const QImage last = decoded(grabber.Grab({video, 100, 200, 85}));
    EXPECT_EQ(last.size(), QSize(200, 50));
    EXPECT_NEAR(qRed(last.pixel(100, 25)), 225, 8);
}

TEST_F(FrameGrabberTest, AFileWithoutAFrameIsToldByNameWithinTheDeadline)
{
    QTemporaryDir dir;
    const QString empty = dir.filePath(QStringLiteral("empty.avi"));
    const QString damaged = dir.filePath(QStringLiteral("damaged.avi"));
    const QString audio = test::TestVideos::Get().audioOnly();
    QFile(empty).open(QIODevice::WriteOnly);
    // The start of a real file and then noise: the container opens, no frame decodes.
    QFile source(test::TestVideos::Get().redRamp());
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    QByteArray bytes = source.read(4096);
    for (int i = 0; i < 200000; ++i)
        bytes += char((i * 7919) % 251);
    QFile out(damaged);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size());
    out.close();

    FrameGrabber grabber;
    for (const QString& path : {empty, damaged, audio}) {
        const auto [message, took] = failure(grabber, path);
        EXPECT_TRUE(message.startsWith(QStringLiteral("No frame can be taken from the file \"%1\": ").arg(path))) << message.toStdString();
        EXPECT_LT(took, 5000) << path.toStdString();
    }
    // A file that never ends (a pipe nobody writes to) costs the deadline and no more,
    // and the next file gets its frame from a fresh helper.
    const QString pipe = dir.filePath(QStringLiteral("endless.avi"));
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    FrameGrabber impatient(std::chrono::milliseconds(800));
    const auto [message, took] = failure(impatient, pipe);
    EXPECT_EQ(message, QStringLiteral("No frame can be taken from the file \"%1\": the video library did not finish with it within 0.8 seconds.").arg(pipe));
    EXPECT_GE(took, 800);
    EXPECT_LT(took, 3000);
    EXPECT_FALSE(decoded(impatient.Grab({test::TestVideos::Get().redRamp(), 50})).isNull());
}

} // namespace
