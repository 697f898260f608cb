#include "CompoundFile.h"

#include "LittleEndian.h"

#include <vector>

namespace reelkeep {
namespace {

constexpr int kSectorSize = 512;
constexpr quint32 kIdsPerSector = kSectorSize / 4;
constexpr quint32 kHeaderFatSlots = 109;
constexpr quint32 kMiniStreamCutoff = 4096;
constexpr quint32 kFreeSector = 0xFFFFFFFF;
constexpr quint32 kEndOfChain = 0xFFFFFFFE;
constexpr quint32 kFatSector = 0xFFFFFFFD;
constexpr quint32 kDifatSector = 0xFFFFFFFC;
constexpr quint32 kNoStream = 0xFFFFFFFF;

void put16At(QByteArray& out, qsizetype at, quint16 v) { PutLittleEndian(out, at, v); }
void put32At(QByteArray& out, qsizetype at, quint32 v) { PutLittleEndian(out, at, v); }

QByteArray directoryEntry(const QString& name, quint8 type, quint32 child, quint32 start, quint32 size)
{
    QByteArray entry(128, '\0');
    for (qsizetype i = 0; i < name.size(); ++i)
        put16At(entry, 2 * i, name[i].unicode());
    put16At(entry, 64, static_cast<quint16>(2 * (name.size() + 1)));
    entry[66] = static_cast<char>(type);
    entry[67] = 1; // black, for the one-node red-black tree
    put32At(entry, 68, kNoStream);
    put32At(entry, 72, kNoStream);
    put32At(entry, 76, child);
    put32At(entry, 116, start);
    put32At(entry, 120, size);
    return entry;
}

QByteArray idSector(const std::vector<quint32>& ids, size_t from, size_t count)
{
    QByteArray sector(kSectorSize, '\xFF');
    for (size_t i = 0; i < count && from + i < ids.size(); ++i)
        put32At(sector, qsizetype(4 * i), ids[from + i]);
    return sector;
}

} // namespace

void WriteCompoundFile(AtomicFile& file, const QString& streamName, QByteArray stream)
{
    if (stream.size() < kMiniStreamCutoff)
        stream.append(kMiniStreamCutoff - stream.size(), '\0');
    const quint32 streamSize = quint32(stream.size());
    const quint32 streamSectors = quint32((stream.size() + kSectorSize - 1) / kSectorSize);
    stream.append(qsizetype(streamSectors) * kSectorSize - stream.size(), '\0');

    // Sectors: the stream, one directory sector, the FAT, then the DIFAT sectors
    // that list FAT sectors beyond the 109 the header holds.
    const quint32 directorySector = streamSectors;
    quint32 fatSectors = 1;
    quint32 difatSectors = 0;
    for (;;) {
        difatSectors = fatSectors <= kHeaderFatSlots ? 0 : (fatSectors - kHeaderFatSlots + kIdsPerSector - 2) / (kIdsPerSector - 1);
        const quint32 total = streamSectors + 1 + fatSectors + difatSectors;
        if (fatSectors * kIdsPerSector >= total)
            break;
        ++fatSectors;
    }
    const quint32 firstFat = directorySector + 1;
    const quint32 firstDifat = firstFat + fatSectors;

    std::vector<quint32> fat(size_t(fatSectors) * kIdsPerSector, kFreeSector);
    for (quint32 s = 0; s < streamSectors; ++s)
        fat[s] = s + 1 < streamSectors ? s + 1 : kEndOfChain;
    fat[directorySector] = kEndOfChain;
    std::vector<quint32> fatLocations;
    for (quint32 s = 0; s < fatSectors; ++s) {
        fat[firstFat + s] = kFatSector;
        fatLocations.push_back(firstFat + s);
    }
    for (quint32 s = 0; s < difatSectors; ++s)
        fat[firstDifat + s] = kDifatSector;

    QByteArray header(kSectorSize, '\0');
    header.replace(0, 8, QByteArrayView("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8));
    put16At(header, 24, 0x003E); // minor version
    put16At(header, 26, 0x0003); // major version 3
    put16At(header, 28, 0xFFFE); // little-endian
    put16At(header, 30, 9);      // 512-byte sectors
    put16At(header, 32, 6);      // 64-byte mini sectors
    put32At(header, 44, fatSectors);
    put32At(header, 48, directorySector);
    put32At(header, 56, kMiniStreamCutoff);
    put32At(header, 60, kEndOfChain); // no mini FAT
    put32At(header, 68, difatSectors ? firstDifat : kEndOfChain);
    put32At(header, 72, difatSectors);
    for (quint32 i = 0; i < kHeaderFatSlots; ++i)
        put32At(header, 76 + 4 * i, i < fatSectors ? fatLocations[i] : kFreeSector);

    QByteArray directory = directoryEntry(QStringLiteral("Root Entry"), 5, 1, kEndOfChain, 0)
        + directoryEntry(streamName, 2, kNoStream, 0, streamSize);
    while (directory.size() < kSectorSize) {
        QByteArray unused(128, '\0');
        put32At(unused, 68, kNoStream);
        put32At(unused, 72, kNoStream);
        put32At(unused, 76, kNoStream);
        directory += unused;
    }

    file.write(header);
    file.write(stream);
    file.write(directory);
    for (quint32 s = 0; s < fatSectors; ++s)
        file.write(idSector(fat, size_t(s) * kIdsPerSector, kIdsPerSector));
    for (quint32 d = 0; d < difatSectors; ++d) {
        const size_t from = kHeaderFatSlots + size_t(d) * (kIdsPerSector - 1);
        QByteArray sector = idSector(fatLocations, from, kIdsPerSector - 1);
        put32At(sector, kSectorSize - 4, d + 1 < difatSectors ? firstDifat + d + 1 : kEndOfChain);
        file.write(sector);
    }
}

} // namespace reelkeep
