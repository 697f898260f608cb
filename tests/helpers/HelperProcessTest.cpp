#include "HelperProcess.h"

#include <QTemporaryFile>
#include <atomic>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace reelkeep;
using namespace std::chrono_literals;

namespace {

QString fakeHelper()
{
    return QStringLiteral(FAKE_HELPER);
}

// The reason a call failed with, or NotStarted's opposite when it did not fail.
template <typename Call>
std::optional<HelperFailure::Reason> failureOf(Call&& call)
{
    try {
        call();
    } catch (const HelperFailure& failure) {
        return failure.reason();
    }
    return std::nullopt;
}

} // namespace

TEST(HelperProcessTest, FramesGoBothWaysUntilTheInputEnds)
{
    HelperProcess echo(fakeHelper(), {QStringLiteral("echo")});
    const QByteArray big = QByteArray(3 << 20, 'b') + 'a'; // larger than the socket's buffers both ways
    for (const QByteArray& frame : {QByteArray("abc"), QByteArray(), big}) {
        echo.WriteFrame(frame, DeadlineIn(10s));
        QByteArray expected = frame;
        std::reverse(expected.begin(), expected.end());
        EXPECT_EQ(echo.ReadFrame(4 << 20, DeadlineIn(10s)), expected);
    }
    echo.WriteFrame("too long", DeadlineIn(10s));
    EXPECT_EQ(failureOf([&] { echo.ReadFrame(4, DeadlineIn(10s)); }), HelperFailure::Oversized);

    HelperProcess done(fakeHelper(), {QStringLiteral("echo")});
    done.CloseInput();
    EXPECT_EQ(done.ReadToExit(16, DeadlineIn(10s)), QByteArray());
}

TEST(HelperProcessTest, CrashesFailuresAndFloodsAreReported)
{
    HelperProcess crash(fakeHelper(), {QStringLiteral("crash")});
    EXPECT_EQ(failureOf([&] {
                  crash.WriteFrame("x", DeadlineIn(10s));
                  crash.ReadFrame(16, DeadlineIn(10s));
              }),
              HelperFailure::Crashed);
    // Writing to a helper that is gone fails without a SIGPIPE ending the test.
    EXPECT_EQ(failureOf([&] { crash.Write(QByteArray(1 << 20, 'x'), DeadlineIn(10s)); }), HelperFailure::Crashed);

    HelperProcess fail(fakeHelper(), {QStringLiteral("fail")});
    EXPECT_EQ(failureOf([&] { fail.ReadToExit(16, DeadlineIn(10s)); }), HelperFailure::Crashed);

    HelperProcess flood(fakeHelper(), {QStringLiteral("flood")});
    EXPECT_EQ(failureOf([&] { flood.ReadToExit(1 << 20, DeadlineIn(10s)); }), HelperFailure::Oversized);

    EXPECT_EQ(failureOf([] { HelperProcess(QStringLiteral("/nonexistent/helper"), {}); }), HelperFailure::NotStarted);
}

TEST(HelperProcessTest, AHangEndsAtTheDeadlineOrAtAStopFromAnotherThread)
{
    auto hung = std::make_unique<HelperProcess>(fakeHelper(), QStringList{QStringLiteral("hang")});
    HelperProcess& hang = *hung;
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(failureOf([&] { hang.ReadFrame(16, DeadlineIn(300ms)); }), HelperFailure::TimedOut);
    EXPECT_GE(std::chrono::steady_clock::now() - start, 300ms);

    StopSignal stop;
    std::thread stopper([&stop] {
        std::this_thread::sleep_for(200ms);
        stop.Raise();
    });
    start = std::chrono::steady_clock::now();
    EXPECT_EQ(failureOf([&] { hang.ReadToExit(16, DeadlineIn(60s), &stop); }), HelperFailure::Stopped);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 10s);
    stopper.join();
    EXPECT_TRUE(stop.Raised());
    // A raised signal ends every later wait at once.
    EXPECT_EQ(failureOf([&] { hang.ReadFrame(16, DeadlineIn(60s), &stop); }), HelperFailure::Stopped);

    // Its end kills and reaps it: no child of the test is left, not even a zombie.
    hung.reset();
    errno = 0;
    EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);
}

TEST(HelperProcessTest, TheHelperGetsNoDescriptorButItsSocketAndStandardError)
{
    // Opened without close-on-exec, as a library of the program might.
    QTemporaryFile file;
    ASSERT_TRUE(file.open());
    const int leaky = ::open(QFile::encodeName(file.fileName()).constData(), O_RDONLY);
    ASSERT_GE(leaky, 0);
    HelperProcess helper(fakeHelper(), {QStringLiteral("descriptors")});
    EXPECT_EQ(helper.ReadToExit(1024, DeadlineIn(10s)), QByteArray("0 1 2 "));
    ::close(leaky);
}

TEST(HelperProcessTest, AHelperThatAnswersButNeverEndsIsToldAsHungAtTheDeadline)
{
    HelperProcess lingering(fakeHelper(), {QStringLiteral("linger")});
    // Should the deadline be missed, the stop ends the wait, with another reason.
    StopSignal stop;
    std::atomic<bool> over{false};
    const auto start = std::chrono::steady_clock::now();
    std::thread stopper([&] {
        while (!over && std::chrono::steady_clock::now() - start < 5s)
            std::this_thread::sleep_for(20ms);
        stop.Raise();
    });
    EXPECT_EQ(failureOf([&] { lingering.ReadToExit(16, DeadlineIn(300ms), &stop); }), HelperFailure::TimedOut);
    const auto waited = std::chrono::steady_clock::now() - start;
    over = true;
    EXPECT_GE(waited, 300ms);
    EXPECT_LT(waited, 5s);
    stopper.join();
}
