// Reads the "kdx v1.3" catalogue text the program hands to export plug-ins.
#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>
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

// Writes the bytes to the file, replacing it only when the whole write succeeded.
// Plug-ins cannot report failures, so false is all the caller learns.
bool WriteExport(const char* fileName, QByteArrayView bytes);

} // namespace reelkeep::exporter

// Entry points of a plug-in are plain C functions visible outside the library.
#define REELKEEP_PLUGIN_EXPORT extern "C" __attribute__((visibility("default")))
