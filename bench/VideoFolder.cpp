#include "VideoFolder.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <stdexcept>

namespace bench {

const VideoFolder& VideoFolder::Get()
{
    static const VideoFolder folder;
    return folder;
}

VideoFolder::VideoFolder()
{
    const QString clip = m_dir.filePath(QStringLiteral("clip.mkv"));
    QProcess ffmpeg;
    ffmpeg.start(QStringLiteral("ffmpeg"),
                 QStringLiteral("-v error -nostdin -y -f lavfi -i testsrc=size=32x24:rate=25:duration=3 -f lavfi -i sine=duration=3 "
                                "-f lavfi -i sine=duration=3 -map 0 -map 1 -map 2 -c:v mpeg4 -c:a aac -metadata:s:a:0 language=rus "
                                "-metadata title=Bench")
                         .split(QLatin1Char(' '))
                     + QStringList{clip});
    if (!ffmpeg.waitForFinished(60000) || ffmpeg.exitCode() != 0)
        throw std::runtime_error("ffmpeg failed");
    const QString folder = m_dir.filePath(QStringLiteral("films"));
    QDir().mkpath(folder);
    for (int i = 0; i < kVideoFiles; ++i) {
        const QString file = QStringLiteral("%1/Film %2 (Foreign %2).mkv").arg(folder).arg(i, 3, 10, QLatin1Char('0'));
        QFile::copy(clip, file);
        m_files << file;
    }
    QFile::remove(clip);
}

} // namespace bench
