// Little-endian integers and doubles in byte buffers: the one writer behind the
// binary catalogue, the workbook, its compound file and cover files.
#pragma once

#include <QByteArray>
#include <QtEndian>

namespace reelkeep {

template <typename T>
void AppendLittleEndian(QByteArray& out, T value)
{
    char bytes[sizeof(T)];
    qToLittleEndian(value, bytes);
    out.append(bytes, sizeof(T));
}

// Overwrites sizeof(T) bytes at a position the buffer already holds.
template <typename T>
void PutLittleEndian(QByteArray& out, qsizetype at, T value)
{
    Q_ASSERT(at >= 0 && at + qsizetype(sizeof(T)) <= out.size());
    qToLittleEndian(value, out.data() + at);
}

} // namespace reelkeep
