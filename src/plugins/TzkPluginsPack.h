// The export plug-ins found in "Plugins" of the program folder: shared libraries
// named *.kdp, asked once what they can do and loaded again only to export.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <vector>

namespace reelkeep {

struct PluginInfo {
    QString LibraryPath;
    QString DisplayName;
    QString FileFilter; // one "description|pattern" pair
    std::int32_t Mode = 0;
};

// The capability bit of plug-ins that export catalogues.
constexpr int kExportPlugin = 1;

class TzkPluginsPack {
public:
    // Scans programFolder/Plugins, creating the folder when it is missing. Files
    // that are not loadable libraries or lack "RKMode" are skipped.
    explicit TzkPluginsPack(const QString& programFolder);

    // i is 0-based; bit one of 1, 2, 4 ... 128.
    bool Supports(int i, int bit) const;
    // The n-th (1-based) plug-in with the bit, or an empty record.
    PluginInfo GetPlugin(int bit, int n) const;
    // The file filters of the export plug-ins, joined by "|".
    QString ExportFilter() const;
    // Hands the catalogue text to ExportTo of the n-th (1-based) export plug-in.
    // False, and nothing done, when there is no such plug-in or it cannot be called.
    bool Export(int n, const QString& fileName, const QByteArray& catalogueText) const;

    QString Folder() const { return m_folder; }

    std::vector<PluginInfo> Plugins;
    std::int32_t Count = 0;

private:
    QString m_folder;
};

} // namespace reelkeep
