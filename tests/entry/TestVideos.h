// Small video files made with ffmpeg for the entry tests, in a temporary folder
// of their own. Each file is made the first time a test asks for it.
#pragma once

#include <QDir>
#include <QString>
#include <QTemporaryDir>

namespace reelkeep::test {

class TestVideos {
public:
    // The set of the running test program.
    static TestVideos& Get();

    QString root() const { return m_dir.path(); }
    // A path in the folder; an absolute path stays as it is.
    QString path(const QString& name) const { return QDir(m_dir.path()).filePath(name); }

    // 32x24 MPEG-4 in MP4 at 25 fps, 3 s; an AAC track tagged Russian, an MP3 stereo
    // track without language; an English and an unlabelled subtitle; title,
    // genre, comment and copyright tags.
    QString full();
    // Video only, MPEG-4 in AVI, 25 fps, 2 s.
    QString clip2s();
    // Video only, MPEG-4 in AVI, 24000/1001 fps, 3 s.
    QString clip3s();
    // MP3 audio only, 1 s, in Matroska.
    QString audioOnly();
    // Video only, 1 fps, 125 s.
    QString longClip();
    // MPEG-2 program stream (DVD video), 2 s.
    QString vob();
    // 1200x300 MPEG-4 in AVI at 5 fps, 10 s, a key frame every second; each frame
    // is one colour whose red grows by 25 a second (0 at the start, 225 in the last second).
    QString redRamp();

    // A copy of a made file under a new name (folders made as needed), optionally padded with zero bytes to `size`.
    QString copy(const QString& source, const QString& name, qint64 size = -1);

private:
    TestVideos();
    QString make(const QString& name, const QStringList& arguments);
    // 32x24 MPEG-4 video without sound.
    QString videoOnly(const QString& name, const QString& rate, int seconds);

    QTemporaryDir m_dir;
};

} // namespace reelkeep::test
