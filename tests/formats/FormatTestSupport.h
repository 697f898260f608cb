// Helpers for the format tests: catalogue files written byte by byte, a temporary folder
// per test, a sample catalogue, and loaded catalogues described as text to compare.
#pragma once

#include "CodePage.h"
#include "FileIO.h"
#include "ReelkeepError.h"
#include "TZKLists.h"
#include "TzkReelkeep.h"
#include "../support/TestFiles.h"

#include <QByteArray>
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

// Text catalogue column names "<prefix>0".."<prefix>n-1", one per line.
inline QByteArray TextNames(int n, const char* prefix)
{
    QByteArray out;
    for (int c = 0; c < n; ++c)
        out += prefix + QByteArray::number(c) + "\r\n";
    return out;
}

// One text catalogue row of n cells: cell 1 the title, cell 20 (when there) a colour.
inline QByteArray TextRow(int n, QByteArrayView title)
{
    QByteArray out;
    for (int c = 0; c < n; ++c)
        out += (c == 1 ? title.toByteArray() : c == 20 ? QByteArray("000000FF") : QByteArray()) + "\r\n";
    return out;
}

// Test files are written without the flush to disk a safe save makes: tests write thousands.
using test::WriteTestFile;

class FormatTest : public ::testing::Test {
protected:
    QString path(const char* name) const { return m_dir.filePath(QString::fromUtf8(name)); }
    QString write(const char* name, const QByteArray& bytes) const
    {
        const QString file = path(name);
        WriteTestFile(file, bytes);
        return file;
    }
    static QByteArray read(const QString& file) { return ReadWholeFile(file); }

    QTemporaryDir m_dir;
};

// How much of a catalogue Describe shows.
enum class Detail { Titles, Cells, Everything };

inline void describeRows(const std::vector<RowPtr>& rows, int depth, Detail detail, QString& out)
{
    for (const auto& row : rows) {
        out += QString(depth * 2, QLatin1Char(' ')) + QString::number(row->ID) + QLatin1Char('/')
            + QString::number(row->GroupID) + QLatin1Char(' ');
        out += detail == Detail::Titles ? row->Fields[1] : QStringList(row->Fields.begin(), row->Fields.end() - 1).join(u'|');
        out += QLatin1Char('\n');
        describeRows(row->Children, depth + 1, detail, out);
    }
}

// One line per list and row ("list NAME max=N", "  id/group title"), nesting by indent, for
// comparing catalogues in one expectation. Cells adds every stored cell and the column names,
// Everything also every column attribute.
inline QString Describe(const TZKLists& lists, Detail detail = Detail::Titles)
{
    QString out = QStringLiteral("autor=") + lists.Autor + QLatin1Char('\n');
    for (const auto& list : lists.Lists) {
        out += QStringLiteral("list ") + list->Name + QStringLiteral(" max=") + QString::number(list->MaxID) + u'\n';
        for (int c = 0; detail != Detail::Titles && c < kStoredColumnCount; ++c) {
            const TzkColumn& k = list->Column(c);
            out += QStringLiteral(" column ") + k.Name;
            if (detail == Detail::Everything)
                out += QStringLiteral(" type=%1 width=%2 dot=%3 second=%4 ")
                           .arg(k.Type).arg(k.Width).arg(int(k.NamesWithDot)).arg(int(k.SecondNames))
                    + k.Pattern + QStringLiteral(" logical=") + k.LogicalValue;
            out += QLatin1Char('\n');
        }
        describeRows(list->Items(), 1, detail, out);
    }
    return out;
}

// A small catalogue with what the exchange forms must carry (nesting, line breaks,
// characters outside windows-1251, column attributes).
inline std::unique_ptr<TZKLists> sampleCatalogue()
{
    auto lists = std::make_unique<TZKLists>(BuiltInColumnDefinitions(), LocaleFormats::russian());
    lists->Autor = QString::fromUtf8("Автор & <co> \"quoted\"\r\nsecond line");
    TZKList& films = *lists->AddList(0, QString::fromUtf8("Фильмы"));
    for (int c = 0; c < kStoredColumnCount; ++c)
        films.SetColumnName(c, QString::fromUtf8("Колонка %1").arg(c));
    films.Column(3).Width = 123;
    films.Column(5).Pattern = QStringLiteral("%VidCodec% %VidWidth%x%VidHeight%");
    films.Column(13).NamesWithDot = true;
    films.Column(15).SecondNames = true;
    films.Column(11).Type = ctNumber;
    films.Column(16).LogicalValue = QStringLiteral("yes\tno");
    TzkRow* matrix = films.AddRow();
    matrix->Fields[csTitle] = QString::fromUtf8("Матрица");
    matrix->Fields[csOrigTitle] = QString::fromUtf8("The Matrix — 日本語 😀 ½");
    matrix->Fields[11] = QStringLiteral("1999");
    matrix->Fields[csDescription] = QStringLiteral("line 1\r\nline 2\rlone CR\nlone LF\r\n\r\n  spaced  ");
    matrix->Fields[csColour] = QStringLiteral("00FFFFFF");
    TzkRow* part = films.AddRow(matrix);
    part->Fields[csTitle] = QString::fromUtf8("Часть 2");
    films.AddRow(part)->Fields[csNumber] = QStringLiteral("<3 & >");
    films.AddRow();
    films.AddRow()->Fields[csTitle] = QStringLiteral("last");
    lists->AddList(0, QString());
    TZKList& series = *lists->AddList(0, QStringLiteral("Series: [old]/new?"));
    series.AddRow()->Fields[19] = QStringLiteral("x");
    return lists;
}

// Every cut of a good file (every length, or every step-th) and every flipped byte after
// the signature either loads or fails cleanly, naming the file, with the document as it
// was. A cut up to mustFailUpTo bytes must fail.
inline void ExpectCleanFailures(const QString& file, const QByteArray& good, qsizetype mustFailUpTo, int step = 1)
{
    const auto fresh = [] {
        TzkReelkeep doc;
        doc.AddList(1, QStringLiteral("old"))->AddRow()->Fields[1] = QStringLiteral("keep me");
        return doc;
    };
    TzkReelkeep doc = fresh();
    const QString before = Describe(doc.Lists());
    const auto attempt = [&](const QByteArray& bytes, bool mustFail) {
        WriteTestFile(file, bytes);
        try {
            if (doc.LoadFromFile(file)) {
                EXPECT_FALSE(mustFail) << "loaded a cut at " << bytes.size();
                doc = fresh();
                return;
            }
        } catch (const ReelkeepError& error) {
            EXPECT_TRUE(error.message().contains(file)) << error.what();
        }
        EXPECT_EQ(Describe(doc.Lists()), before);
    };
    for (qsizetype n = 0; n < good.size(); n += step)
        attempt(good.left(n), n <= mustFailUpTo);
    for (qsizetype i = 8; i < good.size(); ++i) {
        QByteArray flipped = good;
        flipped[i] = char(flipped[i] ^ 0xA5);
        attempt(flipped, false);
    }
}

} // namespace reelkeep::testing
