// Shared by the export plug-ins: reads the "kdx v1.3" catalogue text the program hands
// them (with the program's own reader), writes their file, and defines their entry points.
#pragma once

#include "TZKLists.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <cstdint>
#include <memory>

namespace reelkeep::exporter {

constexpr int kColourSlot = csColour; // slots 0..19 hold data, 20 the row colour

// The lists of the text, or nothing when it is not a complete "kdx v1.3" catalogue.
std::unique_ptr<TZKLists> ReadKdxText(QByteArrayView text);

// A cell or name with each of its line breaks (CR LF, a lone CR, a lone LF) as one "\n".
QString WithLineFeeds(QString text);

// The work of ExportTo: reads the catalogue text and writes what render makes of
// it, replacing the file only when the whole write succeeded. Plug-ins cannot
// report failures: a damaged text or a failed write leaves the file alone.
void ExportCatalogue(const char* fileName, const char* catalogueText, QByteArray (*render)(const TZKLists&));

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
