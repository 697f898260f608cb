// Thin wrapper over the MediaInfo library's C interface: one handle for one
// opened file, answering queries by stream kind, stream number and parameter.
#pragma once

#include <QString>

namespace reelkeep {

enum class StreamKind { General = 0, Video = 1, Audio = 2, Text = 3 };

class TMediaInfoDll {
public:
    TMediaInfoDll();
    ~TMediaInfoDll();
    TMediaInfoDll(const TMediaInfoDll&) = delete;
    TMediaInfoDll& operator=(const TMediaInfoDll&) = delete;

    // False when the library cannot open or recognise the file. Any UTF-8 name
    // opens, whatever the process locale.
    bool Open(const QString& fileName);
    // The parameter's text (info kind Text, searched by name); empty when not reported.
    QString Get(StreamKind kind, int streamNumber, const QString& parameter) const;

    void* Handle = nullptr;
};

} // namespace reelkeep
