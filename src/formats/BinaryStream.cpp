#include "BinaryStream.h"

#include "CellText.h"
#include "IntegerText.h"
#include "LittleEndian.h"
#include "ReelkeepError.h"

#include <QtEndian>
#include <algorithm>
#include <charconv>
#include <limits>

namespace reelkeep {

BinaryReader::BinaryReader(QByteArrayView bytes, QString fileName) : m_bytes(bytes), m_fileName(std::move(fileName))
{
}

void BinaryReader::fail(const Message& problem) const
{
    throw FormatError(Message("DamagedAtByte").arg(m_fileName).arg(problem).arg(m_pos));
}

void BinaryReader::skip(qint64 n)
{
    readBytes(n);
}

QByteArrayView BinaryReader::readBytes(qint64 n)
{
    if (n < 0)
        fail(Message("NegativeLength").arg(n));
    if (n > remaining())
        fail(Message("EndsEarlyBytes").arg(n).arg(remaining()));
    const QByteArrayView view = m_bytes.sliced(m_pos, n);
    m_pos += n;
    return view;
}

qint32 BinaryReader::readI32()
{
    return qFromLittleEndian<qint32>(readBytes(4).data());
}

quint8 BinaryReader::readU8()
{
    return static_cast<quint8>(readBytes(1)[0]);
}

QByteArrayView BinaryReader::readStr()
{
    return readBytes(readI32());
}

QString BinaryReader::readText()
{
    return TextFrom8(readStr(), false);
}

QString BinaryReader::readCell()
{
    return TextFrom8(readStr(), true);
}

qint32 BinaryReader::readNum(const char* what)
{
    const QByteArrayView text = readStr();
    const std::optional<qint64> value = ParseInteger(text, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max());
    if (!value)
        fail(Message("FieldNotWholeNumber")
                 .arg(Message(what))
                 .arg(QString::fromLatin1(text.first(std::min<qsizetype>(20, text.size())).toByteArray())));
    return static_cast<qint32>(*value);
}

qint32 BinaryReader::checkedCount(qint32 count, qint64 minItemBytes, const char* what) const
{
    if (count < 0)
        fail(Message("NegativeCount").arg(Message(what)).arg(count));
    if (count > remaining() / minItemBytes)
        fail(Message("TooManyAnnounced").arg(count).arg(Message(what)));
    return count;
}

void BinaryWriter::writeI32(qint32 value)
{
    AppendLittleEndian(m_bytes, value);
}

void BinaryWriter::writeStr(QByteArrayView bytes)
{
    writeI32(static_cast<qint32>(bytes.size()));
    writeBytes(bytes);
}

void BinaryWriter::writeNum(qint32 value)
{
    // Formatted in place: a save writes three of these for every record.
    char digits[12];
    const char* const end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    writeStr(QByteArrayView(digits, end - digits));
}

void BinaryWriter::writeEncoded(QStringView text, bool breaksAsTags)
{
    // Reserve the length, write the text straight into the buffer, then fill the length in.
    const qsizetype at = m_bytes.size();
    writeI32(0);
    m_lost += AppendText8(m_bytes, text, breaksAsTags);
    PutLittleEndian(m_bytes, at, static_cast<qint32>(m_bytes.size() - at - 4));
}

} // namespace reelkeep
