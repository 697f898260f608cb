#include "TestVideos.h"

#include "HelperProcess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <stdexcept>

namespace reelkeep::test {

TestVideos& TestVideos::Get()
{
    static TestVideos videos;
    return videos;
}

TestVideos::TestVideos()
{
    if (!m_dir.isValid())
        throw std::runtime_error("no temporary folder for the test videos");
}

QString TestVideos::make(const QString& name, const QStringList& arguments)
{
    const QString target = path(name);
    if (QFileInfo::exists(target))
        return target;
    // Started as the program starts its helpers, not with QProcess: the thread
    // sanitizer loses track of the calling thread after Qt's vfork-style start,
    // and then reports races that are none.
    const QString ffmpeg = QStandardPaths::findExecutable(QStringLiteral("ffmpeg"));
    if (ffmpeg.isEmpty())
        throw std::runtime_error("ffmpeg is not installed");
    try {
        HelperProcess process(ffmpeg, QStringList{QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-nostdin"), QStringLiteral("-y")}
                                          + arguments + QStringList{target});
        process.ReadToExit(1 << 20, DeadlineIn(std::chrono::seconds(60)));
    } catch (const HelperFailure& failure) {
        throw std::runtime_error("ffmpeg failed for " + name.toStdString() + ": " + failure.message().toStdString());
    }
    return target;
}

namespace {

QStringList lavfi(const QString& source)
{
    return {QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"), source};
}

} // namespace

QString TestVideos::full()
{
    const QString srt = path(QStringLiteral("sub.srt"));
    QFile file(srt);
    if (!file.open(QIODevice::WriteOnly) || file.write("1\n00:00:00,000 --> 00:00:01,000\nHello\n") < 0)
        throw std::runtime_error("cannot write the subtitle file");
    file.close();
    return make(QStringLiteral("full.mp4"),
                lavfi(QStringLiteral("testsrc=size=32x24:rate=25:duration=3")) + lavfi(QStringLiteral("sine=duration=3:sample_rate=22050"))
                    + lavfi(QStringLiteral("sine=duration=3:sample_rate=44100"))
                    + QStringList{QStringLiteral("-i"), srt, QStringLiteral("-i"), srt}
                    + QStringLiteral("-map 0 -map 1 -map 2 -map 3 -map 4 -c:v mpeg4 -c:a:0 aac -c:a:1 libmp3lame -ac:a:1 2 -c:s mov_text "
                                     "-metadata:s:a:0 language=rus -metadata:s:s:0 language=eng")
                          .split(QLatin1Char(' '))
                    + QStringList{QStringLiteral("-metadata"), QStringLiteral("title=Тестовый фильм"), QStringLiteral("-metadata"),
                                  QStringLiteral("genre=Drama"), QStringLiteral("-metadata"), QStringLiteral("comment=Made for tests"),
                                  QStringLiteral("-metadata"), QStringLiteral("copyright=Nobody")});
}

QString TestVideos::videoOnly(const QString& name, const QString& rate, int seconds)
{
    return make(name, lavfi(QStringLiteral("testsrc=size=32x24:rate=%1:duration=%2").arg(rate).arg(seconds))
                          + QStringList{QStringLiteral("-c:v"), QStringLiteral("mpeg4")});
}

QString TestVideos::clip2s()
{
    return videoOnly(QStringLiteral("clip2s.avi"), QStringLiteral("25"), 2);
}

QString TestVideos::clip3s()
{
    return videoOnly(QStringLiteral("clip3s.avi"), QStringLiteral("24000/1001"), 3);
}

QString TestVideos::longClip()
{
    return videoOnly(QStringLiteral("long.avi"), QStringLiteral("1"), 125);
}

QString TestVideos::audioOnly()
{
    return make(QStringLiteral("audio.mkv"), lavfi(QStringLiteral("sine=duration=1"))
                                                 + QStringList{QStringLiteral("-c:a"), QStringLiteral("libmp3lame")});
}

QString TestVideos::vob()
{
    return make(QStringLiteral("clip.vob"), lavfi(QStringLiteral("testsrc=size=32x24:rate=25:duration=2")) + lavfi(QStringLiteral("sine=duration=2"))
                                                + QStringLiteral("-c:v mpeg2video -c:a mp2 -f vob").split(QLatin1Char(' ')));
}

QString TestVideos::redRamp()
{
    return make(QStringLiteral("ramp.avi"), lavfi(QStringLiteral("color=c=black:s=1200x300:r=5:d=10"))
                                                + QStringLiteral("-vf geq=r=25*trunc(T):g=0:b=0 -c:v mpeg4 -q:v 2 -g 5").split(QLatin1Char(' ')));
}

QString TestVideos::copy(const QString& source, const QString& name, qint64 size)
{
    const QString target = path(name);
    QDir().mkpath(QFileInfo(target).path());
    QFile::remove(target);
    if (!QFile::copy(source, target))
        throw std::runtime_error("cannot copy to " + name.toStdString());
    if (size >= 0 && !QFile::resize(target, size))
        throw std::runtime_error("cannot resize " + name.toStdString());
    return target;
}

} // namespace reelkeep::test
