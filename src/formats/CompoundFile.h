// Writes a compound file (the container of legacy Office documents) holding one
// stream, as the ".xls" writer needs: version 3, 512-byte sectors, no mini stream.
#pragma once

#include "FileIO.h"

#include <QByteArray>
#include <QString>

namespace reelkeep {

// The stream is padded to 4096 bytes when shorter, so that it always lives in
// regular sectors; streamName has at most 31 characters.
void WriteCompoundFile(AtomicFile& file, const QString& streamName, QByteArray stream);

} // namespace reelkeep
