// Little-endian reading and writing of the fields of a cover file: integers,
// stored decimals (numerator over denominator) and stored strings (byte count
// and bytes in the 8-bit code page). The reader checks every size against what
// is left and throws FormatError naming the file.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

namespace reelkeep {

class CoverReader {
public:
    CoverReader(QByteArray bytes, QString fileName);

    bool AtEnd() const { return m_pos >= m_bytes.size(); }
    qsizetype Remaining() const { return m_bytes.size() - m_pos; }
    std::uint8_t ReadByte();
    std::int16_t ReadInt16();
    std::int32_t ReadInt32();
    float ReadDecimal();
    QString ReadString();

private:
    const char* take(qsizetype count, const char* whatKey);

    QByteArray m_bytes;
    QString m_fileName;
    qsizetype m_pos = 0;
};

class CoverWriter {
public:
    void WriteByte(std::uint8_t value) { m_bytes.append(static_cast<char>(value)); }
    void WriteInt16(std::int16_t value);
    void WriteInt32(std::int32_t value);
    void WriteDecimal(float value);
    void WriteString(const QString& text);
    void WriteBytes(QByteArrayView bytes) { m_bytes.append(bytes); }
    const QByteArray& Bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
};

// Numerator and denominator a decimal is stored as: the denominator grows by
// powers of ten until the scaled value is within 0.00001 of a whole number
// (or the numerator would no longer fit in 32 bits).
struct StoredDecimal {
    std::int32_t numerator;
    std::int32_t denominator;
};
StoredDecimal ToStoredDecimal(float value);

} // namespace reelkeep
