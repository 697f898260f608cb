// Shared by the export plug-ins: reads the "kdx v1.3" catalogue text the program hands
// them, writes their file, and defines their entry points.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

namespace reelkeep::exporter {

constexpr int kTextColumns = 21; // slots 0..19 data, 20 the row colour

struct Sheet {
    QString name;
    QStringList columns;           // 21 column names
    std::vector<QStringList> rows; // 21 cells each; line breaks inside a cell are "\n"
};

// The lists of the text (8-bit windows-1251), or nothing when the text is not a
// complete "kdx v1.3" catalogue: counts are checked against the lines present.
std::optional<std::vector<Sheet>> ReadKdxText(QByteArrayView text);

// The work of ExportTo: reads the catalogue text and writes what render makes of
// it, replacing the file only when the whole write succeeded. Plug-ins cannot
// report failures: a damaged text or a failed write leaves the file alone.
void ExportCatalogue(const char* fileName, const char* catalogueText, QByteArray (*render)(const std::vector<Sheet>&));

} // namespace reelkeep::exporter

// Defines the entry points of an export plug-in: plain C functions visible outside the library.
#define REELKEEP_EXPORT_PLUGIN(displayName, filterMask, render)                                             \
    extern "C" __attribute__((visibility("default"))) std::int32_t RKMode() { return 1; }                   \
    extern "C" __attribute__((visibility("default"))) const char* GetDisplayName() { return displayName; }  \
    extern "C" __attribute__((visibility("default"))) const char* GetFilterMask() { return filterMask; }    \
    extern "C" __attribute__((visibility("default"))) void ExportTo(const char* fileName, const char* text) \
    {                                                                                                       \
        reelkeep::exporter::ExportCatalogue(fileName, text, render);                                       \
    }
