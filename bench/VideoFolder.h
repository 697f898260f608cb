// A folder of 400 small video files for the record-entry benchmarks: one clip made
// with ffmpeg (video, two audio tracks, a title) copied under 400 names.
#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace bench {

constexpr int kVideoFiles = 400;

class VideoFolder {
public:
    // Made on first use; throws std::runtime_error when ffmpeg fails.
    static const VideoFolder& Get();
    // The folder holding the clips (in a subfolder of its own).
    QString path() const { return m_dir.path(); }
    QStringList files() const { return m_files; }

private:
    VideoFolder();
    QTemporaryDir m_dir;
    QStringList m_files;
};

} // namespace bench
