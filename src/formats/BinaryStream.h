// Bounds-checked reading and plain writing of the items of the binary catalogue
// forms: little-endian 32-bit integers, bytes, Booleans and length-prefixed text.
#pragma once

#include "Message.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

namespace reelkeep {

// Reads from bytes held in memory. Every failure (a length or count beyond the
// end, a negative length, a bad number) throws FormatError naming the file.
class BinaryReader {
public:
    BinaryReader(QByteArrayView bytes, QString fileName);

    qint64 position() const { return m_pos; }
    qint64 remaining() const { return m_bytes.size() - m_pos; }

    void skip(qint64 n);
    qint32 readI32();
    quint8 readU8();
    bool readBool() { return readU8() != 0; }
    QByteArrayView readBytes(qint64 n);
    // A 32-bit length, then that many bytes.
    QByteArrayView readStr();
    QString readText();  // a Str in the code page
    QString readCell();  // a Str in the code page with "<br>" read as CR LF
    // A Str holding a decimal whole number; what is the message key naming the item.
    qint32 readNum(const char* what);
    // A count of items each taking at least minItemBytes: rejected when negative
    // or when what is left of the file cannot hold that many.
    qint32 checkedCount(qint32 count, qint64 minItemBytes, const char* what) const; // what: a message key

    [[noreturn]] void fail(const Message& problem) const;

private:
    QByteArrayView m_bytes;
    QString m_fileName;
    qint64 m_pos = 0;
};

// Collects the bytes of a binary catalogue in memory.
class BinaryWriter {
public:
    QByteArray& bytes() { return m_bytes; }

    void writeBytes(QByteArrayView bytes) { m_bytes.append(bytes.data(), bytes.size()); }
    void writeI32(qint32 value);
    void writeU8(quint8 value) { m_bytes.append(static_cast<char>(value)); }
    void writeBool(bool value) { writeU8(value ? 1 : 0); }
    void writeStr(QByteArrayView bytes);
    void writeText(QStringView text) { writeEncoded(text, false); }
    void writeCell(QStringView text) { writeEncoded(text, true); }
    void writeNum(qint32 value);
    // Characters of the texts written so far that the code page lacks.
    qint64 lostCharacters() const { return m_lost; }

private:
    void writeEncoded(QStringView text, bool breaksAsTags);

    QByteArray m_bytes;
    qint64 m_lost = 0;
};

} // namespace reelkeep
