#include "CoverStream.h"

#include "CodePage.h"
#include "LittleEndian.h"
#include "ReelkeepError.h"

#include <QtEndian>
#include <cmath>
#include <limits>

namespace reelkeep {

CoverReader::CoverReader(QByteArray bytes, QString fileName) : m_bytes(std::move(bytes)), m_fileName(std::move(fileName)) {}

const char* CoverReader::take(qsizetype count, const char* whatKey)
{
    if (count < 0 || count > Remaining())
        throw FormatError(Message("CoverPastEnd").arg(m_fileName).arg(Message(whatKey)).arg(m_pos));
    const char* data = m_bytes.constData() + m_pos;
    m_pos += count;
    return data;
}

std::uint8_t CoverReader::ReadByte()
{
    return static_cast<std::uint8_t>(*take(1, "CoverByte"));
}

std::int16_t CoverReader::ReadInt16()
{
    return qFromLittleEndian<std::int16_t>(take(2, "CoverInt16"));
}

std::int32_t CoverReader::ReadInt32()
{
    return qFromLittleEndian<std::int32_t>(take(4, "CoverInt32"));
}

float CoverReader::ReadDecimal()
{
    const qsizetype at = m_pos;
    const double numerator = ReadInt32();
    const double denominator = ReadInt32();
    if (denominator == 0)
        throw FormatError(Message("CoverZeroDenominator").arg(m_fileName).arg(at));
    return static_cast<float>(numerator / denominator);
}

QString CoverReader::ReadString()
{
    const std::int32_t length = ReadInt32();
    const char* data = take(length, "CoverText");
    return CodePage::Default().decode(QByteArrayView(data, length));
}

void CoverWriter::WriteInt16(std::int16_t value)
{
    AppendLittleEndian(m_bytes, value);
}

void CoverWriter::WriteInt32(std::int32_t value)
{
    AppendLittleEndian(m_bytes, value);
}

void CoverWriter::WriteDecimal(float value)
{
    const StoredDecimal stored = ToStoredDecimal(value);
    WriteInt32(stored.numerator);
    WriteInt32(stored.denominator);
}

void CoverWriter::WriteString(const QString& text)
{
    const QByteArray bytes = CodePage::Default().encode(text);
    WriteInt32(static_cast<std::int32_t>(bytes.size()));
    m_bytes.append(bytes);
}

StoredDecimal ToStoredDecimal(float value)
{
    const double v = std::isfinite(value) ? value : 0.0;
    constexpr double limit = std::numeric_limits<std::int32_t>::max();
    double denominator = 1;
    while (std::fabs(denominator * v - std::nearbyint(denominator * v)) > 0.00001 && std::fabs(denominator * 10 * v) < limit
           && denominator * 10 < limit)
        denominator *= 10;
    if (std::fabs(denominator * v) >= limit)
        return {v < 0 ? -std::numeric_limits<std::int32_t>::max() : std::numeric_limits<std::int32_t>::max(), 1};
    return {static_cast<std::int32_t>(std::nearbyint(denominator * v)), static_cast<std::int32_t>(denominator)};
}

} // namespace reelkeep
