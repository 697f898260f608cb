// Helpers for the format tests: catalogue files written byte by byte, a temporary
// folder per test, and a compact description of a loaded catalogue to compare.
#pragma once

#include "CodePage.h"
#include "FileIO.h"
#include "TZKLists.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

namespace reelkeep::testing {

// Builds the bytes of a binary catalogue item by item.
class Bytes {
public:
    Bytes& raw(QByteArrayView bytes) { m_bytes.append(bytes.data(), bytes.size()); return *this; }
    Bytes& i32(qint32 value)
    {
        char buffer[4];
        qToLittleEndian(value, buffer);
        m_bytes.append(buffer, 4);
        return *this;
    }
    Bytes& u8(quint8 value) { m_bytes.append(char(value)); return *this; }
    // A Str of raw 8-bit bytes.
    Bytes& str(QByteArrayView bytes) { i32(qint32(bytes.size())); return raw(bytes); }
    Bytes& num(qint32 value) { return str(QByteArray::number(value)); }
    // A column block: column c named "C<c>", type c mod 3; column 1 has a logical value,
    // a pattern and NamesWithDot; column 13 SecondNames, stored as the byte trueByte.
    Bytes& columns(quint8 trueByte = 1)
    {
        for (int c = 0; c < 21; ++c) {
            str(QByteArray(QByteArray("C") + QByteArray::number(c))).u8(quint8(c % 3)).str(c == 1 ? "yes" : "");
            str(c == 1 ? "%Name%" : "").u8(c == 1 ? 1 : 0).u8(c == 13 ? trueByte : 0);
        }
        return *this;
    }
    // 21 cells: cell 1 the given title, cell 20 a colour, the rest empty.
    Bytes& cells(QByteArrayView title)
    {
        for (int c = 0; c < 21; ++c)
            str(c == 1 ? title : c == 20 ? QByteArrayView("00FFFFFF") : QByteArrayView());
        return *this;
    }
    const QByteArray& data() const { return m_bytes; }

private:
    QByteArray m_bytes;
};

// Text catalogue lines joined with CR LF, each ended by it.
inline QByteArray Lines(std::initializer_list<QByteArrayView> lines)
{
    QByteArray out;
    for (const QByteArrayView line : lines)
        out.append(line.data(), line.size()).append("\r\n");
    return out;
}

// Writes without the flush to disk a safe save makes, for tests that write thousands of variants.
inline void WriteQuickly(const QString& file, const QByteArray& bytes)
{
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(out.write(bytes), bytes.size());
}

class FormatTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QString write(const QString& name, const QByteArray& bytes) const
    {
        const QString file = path(name);
        WriteQuickly(file, bytes);
        return file;
    }
    QByteArray read(const QString& file) const { return ReadWholeFile(file); }

private:
    QTemporaryDir m_dir;
};

// One line per list and row ("list NAME max=N", "  id/group title"), nesting by indent,
// for comparing catalogues in one expectation.
inline void describeRows(const std::vector<RowPtr>& rows, int depth, QString& out)
{
    for (const auto& row : rows) {
        out += QString(depth * 2, QLatin1Char(' ')) + QStringLiteral("%1/%2 %3\n").arg(row->ID).arg(row->GroupID).arg(row->Fields[1]);
        describeRows(row->Children, depth + 1, out);
    }
}

inline QString Describe(const TZKLists& lists)
{
    QString out = QStringLiteral("autor=%1\n").arg(lists.Autor);
    for (const auto& list : lists.Lists) {
        out += QStringLiteral("list %1 max=%2\n").arg(list->Name).arg(list->MaxID);
        describeRows(list->Items(), 1, out);
    }
    return out;
}

} // namespace reelkeep::testing
