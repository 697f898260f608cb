#include "CodePage.h"

#include "ReelkeepError.h"

#include <QStringDecoder>

namespace reelkeep {
namespace {

// Upper half of windows-1251; 0x98 has no character and maps to U+0098 so it survives a round trip.
constexpr std::array<char16_t, 128> kWindows1251High = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,
};

bool isWindows1251(const QByteArray& name)
{
    const QByteArray n = name.toLower();
    return n == "windows-1251" || n == "cp1251" || n == "1251";
}

} // namespace

CodePage::CodePage(const QByteArray& name) : m_name(name)
{
    for (int b = 0; b < 128; ++b)
        m_toUnicode[b] = char16_t(b);
    if (isWindows1251(name)) {
        m_name = QByteArrayLiteral("windows-1251");
        for (int b = 128; b < 256; ++b)
            m_toUnicode[b] = kWindows1251High[b - 128];
    } else {
        QStringDecoder decoder(name.constData(), QStringDecoder::Flag::Stateless);
        if (!decoder.isValid())
            throw ReelkeepError(Message("UnknownCodePage").arg(QString::fromLatin1(name)));
        for (int b = 128; b < 256; ++b) {
            const char byte = char(b);
            const QString u = decoder.decode(QByteArrayView(&byte, 1));
            m_toUnicode[b] = (u.size() == 1 && u[0] != QChar::ReplacementCharacter) ? u[0].unicode() : char16_t(b);
        }
    }
    buildTables();
}

void CodePage::buildTables()
{
    m_fromUnicode.assign(65536, '?');
    m_holds.assign(65536, false);
    for (int b = 255; b >= 0; --b) {
        m_fromUnicode[m_toUnicode[b]] = static_cast<unsigned char>(b);
        m_holds[m_toUnicode[b]] = true;
    }
    m_lowerChar.resize(65536);
    for (int c = 0; c < 65536; ++c)
        m_lowerChar[c] = char16_t(c);
    for (int b = 0; b < 256; ++b) {
        const QChar upper(m_toUnicode[b]);
        const QChar folded = upper.toLower();
        unsigned char lowerByte = static_cast<unsigned char>(b);
        if (folded != upper && m_holds[folded.unicode()]) {
            m_lowerChar[upper.unicode()] = folded.unicode();
            lowerByte = m_fromUnicode[folded.unicode()];
        }
        m_lowerByte[b] = lowerByte;
    }
}

const CodePage& CodePage::Default()
{
    static const CodePage page;
    return page;
}

QByteArray CodePage::encode(QStringView text) const
{
    QByteArray out(text.size(), Qt::Uninitialized);
    char* dst = out.data();
    for (const QChar c : text)
        *dst++ = static_cast<char>(m_fromUnicode[c.unicode()]);
    return out;
}

QString CodePage::decode(QByteArrayView bytes) const
{
    QString out(bytes.size(), Qt::Uninitialized);
    QChar* dst = out.data();
    for (const char b : bytes)
        *dst++ = QChar(m_toUnicode[static_cast<unsigned char>(b)]);
    return out;
}

bool CodePage::canEncode(QStringView text) const
{
    for (const QChar c : text)
        if (!m_holds[c.unicode()])
            return false;
    return true;
}

QString CodePage::roundTrip(QStringView text) const
{
    QString out(text.size(), Qt::Uninitialized);
    QChar* dst = out.data();
    for (const QChar c : text)
        *dst++ = m_holds[c.unicode()] ? c : QLatin1Char('?');
    return out;
}

QString CodePage::lower(QStringView text) const
{
    QString out(text.size(), Qt::Uninitialized);
    QChar* dst = out.data();
    for (const QChar c : text)
        *dst++ = QChar(m_lowerChar[c.unicode()]);
    return out;
}

QByteArray CodePage::lowerBytes(QByteArrayView bytes) const
{
    QByteArray out(bytes.size(), Qt::Uninitialized);
    char* dst = out.data();
    for (const char b : bytes)
        *dst++ = static_cast<char>(m_lowerByte[static_cast<unsigned char>(b)]);
    return out;
}

} // namespace reelkeep
