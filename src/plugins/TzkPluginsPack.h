// The export plug-ins found in "Plugins" of the program folder: shared libraries
// named *.kdp, asked once what they can do and loaded again only to export. They
// are loaded only in the helper executable reelkeep-plugin-host, never in the
// program, so a plug-in that crashes or hangs costs a message, not the program.
#pragma once

#include "Message.h"

#include <QByteArray>
#include <QString>
#include <chrono>
#include <cstdint>
#include <vector>

namespace reelkeep {

class StopSignal;

struct PluginInfo {
    QString LibraryPath;
    QString DisplayName;
    QString FileFilter; // one "description|pattern" pair
    std::int32_t Mode = 0;
    bool CanExport = false; // has ExportTo
};

// A *.kdp file that is not used, and why, for the user to read.
struct SkippedPlugin {
    QString LibraryPath;
    Message Reason;
};

// The capability bit of plug-ins that export catalogues.
constexpr int kExportPlugin = 1;
// A healthy plug-in answers its three questions at once.
constexpr std::chrono::milliseconds kPluginProbeDeadline{10000};

// How an export into a file ended when nothing threw.
enum class ExportOutcome { Written, CannotCall, WroteNothing, Stopped };

class TzkPluginsPack {
public:
    // Scans programFolder/Plugins, creating the folder when it is missing. Files
    // that are not regular files or loadable libraries, lack "RKMode", crash or
    // hang while asked, or answer with names that are not texts (or a filter that
    // is not one "description|pattern" pair) are skipped and listed in Skipped.
    explicit TzkPluginsPack(const QString& programFolder, std::chrono::milliseconds probeDeadline = kPluginProbeDeadline);
    // No plug-ins: what a program has until its folder has been probed.
    TzkPluginsPack() = default;

    // i is 0-based; bit one of 1, 2, 4 ... 128.
    bool Supports(int i, int bit) const;
    // The n-th (1-based) plug-in with the bit, or an empty record.
    PluginInfo GetPlugin(int bit, int n) const;
    // The file filters of the export plug-ins, joined by "|".
    QString ExportFilter() const;
    // Hands the catalogue text to ExportTo of the n-th (1-based) export plug-in.
    // False, and nothing done, when there is no such plug-in or it cannot be called;
    // throws ReelkeepError naming the plug-in when it crashes, fails or hangs.
    // Safe to call from any thread. A raised stop ends the plug-in's process and throws
    // HelperFailure(Stopped).
    bool Export(int n, const QString& fileName, const QByteArray& catalogueText, const StopSignal* stop = nullptr) const;
    // Export into the file out: the plug-in writes a temporary beside it, which
    // replaces out only once written, so a failed export leaves out as it was.
    // Throws FileError when out cannot be written or replaced, ReelkeepError as Export.
    // Stopped, out as it was, when stop was raised before the plug-in ended.
    ExportOutcome ExportToFile(int n, const QString& out, const QByteArray& catalogueText, const StopSignal* stop = nullptr) const;

    QString Folder() const { return m_folder; }

    std::vector<PluginInfo> Plugins;
    std::int32_t Count = 0;
    std::vector<SkippedPlugin> Skipped;

private:
    QString m_folder;
};

} // namespace reelkeep
