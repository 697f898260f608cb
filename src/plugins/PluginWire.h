// What reelkeep-plugin-host answers when it probes a plug-in library.
#pragma once

#include <QByteArray>
#include <cstdint>
#include <optional>

namespace reelkeep {

// Longer names than this are taken for a pointer to something that is not a text.
constexpr size_t kMaxPluginText = 1024;
// The host's exit status when the library has no ExportTo (or no longer loads).
constexpr int kPluginCannotExport = 4;

struct PluginText {
    enum State : unsigned char { Absent, Given, Unterminated };
    State state = Absent;
    QByteArray bytes; // Given: the text, in the code page
};

struct PluginProbe {
    bool Loaded = true;
    QByteArray LoadError; // when not loaded
    bool HasMode = false;
    std::int32_t Mode = 0;
    PluginText DisplayName;
    PluginText FilterMask;
    bool CanExport = false;
};

QByteArray EncodeProbe(const PluginProbe& probe);
QByteArray EncodeUnloadable(const QByteArray& loadError);
// Throws HelperFailure(Garbled) on an answer that is not a probe.
PluginProbe DecodeProbe(QByteArrayView answer);

} // namespace reelkeep
