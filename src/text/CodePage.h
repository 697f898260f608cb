// The 8-bit code page through which every 8-bit text of the files passes,
// and the case folding of that code page used by sort keys and masks.
#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <vector>

namespace reelkeep {

class CodePage {
public:
    // Known names: "windows-1251" (built in) and any single-byte encoding
    // QStringDecoder knows on this system. Throws ReelkeepError otherwise.
    explicit CodePage(const QByteArray& name = QByteArrayLiteral("windows-1251"));

    // The windows-1251 code page every component uses unless told otherwise.
    static const CodePage& Default();

    const QByteArray& name() const { return m_name; }

    // Characters the code page cannot hold become '?', as the system conversion does.
    QByteArray encode(QStringView text) const;
    QString decode(QByteArrayView bytes) const;
    bool canEncode(QStringView text) const;
    // The text as it reads back after a trip through the code page.
    QString roundTrip(QStringView text) const;

    QChar toUnicode(unsigned char byte) const { return QChar(m_toUnicode[byte]); }
    // The byte of a character, or '?' when the code page lacks it.
    unsigned char fromUnicode(QChar c) const { return m_fromUnicode[c.unicode()]; }
    bool holds(QChar c) const { return m_holds[c.unicode()]; }

    // Lower case by the code page's own mapping; characters outside it stay.
    QChar lower(QChar c) const { return QChar(m_lowerChar[c.unicode()]); }
    QString lower(QStringView text) const;
    unsigned char lowerByte(unsigned char b) const { return m_lowerByte[b]; }
    QByteArray lowerBytes(QByteArrayView bytes) const;

private:
    void buildTables();

    QByteArray m_name;
    std::array<char16_t, 256> m_toUnicode{};
    std::vector<unsigned char> m_fromUnicode;
    std::vector<bool> m_holds;
    std::vector<char16_t> m_lowerChar;
    std::array<unsigned char, 256> m_lowerByte{};
};

} // namespace reelkeep
