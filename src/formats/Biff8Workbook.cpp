#include "Biff8Workbook.h"

#include "LittleEndian.h"

#include <algorithm>

namespace reelkeep {
namespace {

// Record types.
constexpr quint16 kBof = 0x0809, kEof = 0x000A, kCodePage = 0x0042, kWindow1 = 0x003D, kFont = 0x0031,
                  kXf = 0x00E0, kStyle = 0x0293, kBoundSheet = 0x0085, kSst = 0x00FC, kContinue = 0x003C,
                  kDimensions = 0x0200, kWindow2 = 0x023E, kLabelSst = 0x00FD, kNumber = 0x0203;
constexpr qsizetype kMaxRecordData = 8224;
constexpr quint16 kCellXf = 15; // the first cell format after the 15 style formats

void put8(QByteArray& out, quint8 v) { out.append(char(v)); }
void put16(QByteArray& out, quint16 v) { AppendLittleEndian(out, v); }
void put32(QByteArray& out, quint32 v) { AppendLittleEndian(out, v); }
void putDouble(QByteArray& out, double v) { AppendLittleEndian(out, v); }
void putUtf16(QByteArray& out, QStringView text)
{
    for (const QChar c : text)
        put16(out, c.unicode());
}

void record(QByteArray& out, quint16 type, const QByteArray& data)
{
    put16(out, type);
    put16(out, static_cast<quint16>(data.size()));
    out += data;
}

QByteArray bof(quint16 kind)
{
    QByteArray d;
    put16(d, 0x0600); // BIFF8
    put16(d, kind);   // 0x0005 workbook globals, 0x0010 worksheet
    put16(d, 0x0DBB);
    put16(d, 0x07CC);
    put32(d, 0);
    put32(d, 0x0006);
    return d;
}

// A name of at most 255 characters, stored uncompressed.
QByteArray shortString(const QString& text)
{
    QByteArray d;
    put8(d, static_cast<quint8>(text.size()));
    put8(d, 1);
    putUtf16(d, text);
    return d;
}

QByteArray font()
{
    QByteArray d;
    put16(d, 200);    // 10 pt
    put16(d, 0);      // no attributes
    put16(d, 0x7FFF); // automatic colour
    put16(d, 400);    // normal weight
    put16(d, 0);
    put8(d, 0);
    put8(d, 0);
    put8(d, 0);
    put8(d, 0);
    return d + shortString(QStringLiteral("Arial"));
}

QByteArray xf(bool style)
{
    QByteArray d;
    put16(d, 0);                       // font 0
    put16(d, 0);                       // number format "General"
    put16(d, style ? 0xFFF5 : 0x0001); // locked; style formats have no parent
    put8(d, 0x20);                     // bottom-aligned
    put8(d, 0);
    put8(d, 0);
    put8(d, style ? 0xF4 : 0x00);
    put32(d, 0);
    put32(d, 0);
    put16(d, 0x20C0); // default pattern colours
    return d;
}

// One byte per character when all characters fit in one.
bool needsWideChars(QStringView text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() > 0xFF; });
}

} // namespace

void Biff8Workbook::AddSheet(const QString& name)
{
    m_sheets.push_back(Sheet{name, {}, 0, 0});
}

void Biff8Workbook::addCell(const Cell& cell)
{
    Sheet& sheet = m_sheets.back();
    sheet.cells.push_back(cell);
    sheet.rows = std::max(sheet.rows, cell.row + 1);
    sheet.columns = std::max(sheet.columns, cell.column + 1);
}

void Biff8Workbook::SetText(int row, int column, const QString& text)
{
    auto it = m_stringIndex.constFind(text);
    if (it == m_stringIndex.cend()) {
        it = m_stringIndex.insert(text, quint32(m_strings.size()));
        m_strings.push_back(text);
    }
    ++m_stringUses;
    addCell(Cell{quint16(row), quint16(column), false, 0.0, it.value()});
}

void Biff8Workbook::SetNumber(int row, int column, double value)
{
    addCell(Cell{quint16(row), quint16(column), true, value, 0});
}

bool Biff8Workbook::Fits(QStringView text)
{
    return text.size() <= (needsWideChars(text) ? kMaxWideText : kMaxNarrowText);
}

// The shared string table. A record holds at most 8224 bytes, so the table goes on
// in CONTINUE records; a string's 3-byte header is never split, and a string whose
// characters are split repeats its option byte at the start of the CONTINUE.
// FreeXL reads a string right only when it crosses at most one record boundary, so
// a string that would cross more starts at the beginning of a new CONTINUE (with a
// character to spare, since a surrogate pair is never split).
void Biff8Workbook::writeSharedStrings(QByteArray& out) const
{
    QByteArray data;
    quint16 type = kSst;
    put32(data, m_stringUses);
    put32(data, quint32(m_strings.size()));
    const auto flush = [&] {
        record(out, type, data);
        type = kContinue;
        data.clear();
    };
    for (const QString& text : m_strings) {
        const bool wide = needsWideChars(text);
        const int charSize = wide ? 2 : 1;
        const qsizetype room = kMaxRecordData - data.size();
        const qsizetype bytes = 3 + text.size() * charSize;
        if (bytes > room
            && (room < 3 + charSize || 1 + bytes - 3 - (room - 3) / charSize * charSize + 2 > kMaxRecordData))
            flush();
        put16(data, static_cast<quint16>(text.size()));
        put8(data, wide ? 1 : 0);
        qsizetype done = 0;
        while (done < text.size()) {
            qsizetype room = (kMaxRecordData - data.size()) / charSize;
            if (room == 0) {
                flush();
                put8(data, wide ? 1 : 0);
                room = (kMaxRecordData - 1) / charSize;
            }
            QStringView part = QStringView(text).mid(done, std::min(room, text.size() - done));
            if (part.size() > 1 && part.back().isHighSurrogate() && done + part.size() < text.size())
                part.chop(1); // readers decode each piece alone: keep surrogate pairs whole
            if (wide)
                putUtf16(data, part);
            else
                for (const QChar c : part)
                    put8(data, static_cast<quint8>(c.unicode()));
            done += part.size();
        }
    }
    flush();
}

void Biff8Workbook::writeSheet(QByteArray& out, const Sheet& sheet, bool selected) const
{
    record(out, kBof, bof(0x0010));
    QByteArray dimensions;
    put32(dimensions, 0);
    put32(dimensions, quint32(sheet.rows));
    put16(dimensions, 0);
    put16(dimensions, quint16(sheet.columns));
    put16(dimensions, 0);
    record(out, kDimensions, dimensions);
    QByteArray window;
    put16(window, selected ? 0x06B6 : 0x00B6); // grid, headers, zeros, outline symbols; selection
    put16(window, 0);
    put16(window, 0);
    put32(window, 64);
    put32(window, 0);
    put32(window, 0);
    record(out, kWindow2, window);
    QByteArray cell;
    for (const Cell& c : sheet.cells) {
        cell.clear();
        put16(cell, c.row);
        put16(cell, c.column);
        put16(cell, kCellXf);
        if (c.isNumber) {
            putDouble(cell, c.number);
            record(out, kNumber, cell);
        } else {
            put32(cell, c.string);
            record(out, kLabelSst, cell);
        }
    }
    record(out, kEof, {});
}

QByteArray Biff8Workbook::Build() const
{
    QByteArray out;
    record(out, kBof, bof(0x0005));
    QByteArray codePage;
    put16(codePage, 1200); // UTF-16
    record(out, kCodePage, codePage);
    QByteArray window;
    for (const quint16 v : {0, 0, 0x25BC, 0x1572, 0x0038, 0, 0, 1, 0x0258})
        put16(window, v);
    record(out, kWindow1, window);
    for (int i = 0; i < 4; ++i) // readers expect font 0 to 3; index 4 is never used
        record(out, kFont, font());
    for (int i = 0; i < 15; ++i)
        record(out, kXf, xf(true));
    record(out, kXf, xf(false));
    record(out, kStyle, QByteArray("\x00\x80\x00\xFF", 4)); // the built-in "Normal" style
    std::vector<qsizetype> sheetOffsetAt;
    for (const Sheet& sheet : m_sheets) {
        QByteArray bound;
        put32(bound, 0); // the sheet's stream offset, filled in below
        put8(bound, 0);  // visible
        put8(bound, 0);  // worksheet
        sheetOffsetAt.push_back(out.size() + 4);
        record(out, kBoundSheet, bound + shortString(sheet.name));
    }
    writeSharedStrings(out);
    record(out, kEof, {});
    for (size_t i = 0; i < m_sheets.size(); ++i) {
        PutLittleEndian(out, sheetOffsetAt[i], quint32(out.size()));
        writeSheet(out, m_sheets[i], i == 0);
    }
    return out;
}

} // namespace reelkeep
