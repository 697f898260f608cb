#include "Base64Decoder.h"

#include <array>

namespace reelkeep {
namespace {

constexpr quint8 kInvalid = 0xFF;
constexpr quint8 kSpace = 0xFE;
constexpr quint8 kPad = 0xFD;

constexpr std::array<quint8, 256> makeTable()
{
    std::array<quint8, 256> table{};
    for (auto& value : table)
        value = kInvalid;
    const char* alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    for (quint8 i = 0; i < 64; ++i)
        table[static_cast<unsigned char>(alphabet[i])] = i;
    for (const char c : {' ', '\t', '\n', '\r'})
        table[static_cast<unsigned char>(c)] = kSpace;
    table['='] = kPad;
    return table;
}

constexpr std::array<quint8, 256> kTable = makeTable();

} // namespace

void Base64Decoder::Reset(qsizetype expectedLength)
{
    m_out = QByteArray();
    m_out.reserve(expectedLength / 4 * 3 + 3);
    m_bits = 0;
    m_sextets = 0;
    m_padding = 0;
}

bool Base64Decoder::Feed(QByteArrayView text)
{
    const auto* in = reinterpret_cast<const unsigned char*>(text.data());
    const auto* const end = in + text.size();
    // Room for every byte the piece can give, written through a pointer.
    const qsizetype start = m_out.size();
    m_out.resize(start + (m_sextets + text.size()) / 4 * 3);
    char* out = m_out.data() + start;
    while (in != end) {
        // The usual case: four letters of the alphabet in a row.
        if (m_sextets == 0 && !m_padding) {
            while (end - in >= 4) {
                const quint32 a = kTable[in[0]], b = kTable[in[1]], c = kTable[in[2]], d = kTable[in[3]];
                if ((a | b | c | d) >= 64)
                    break;
                const quint32 group = a << 18 | b << 12 | c << 6 | d;
                out[0] = char(group >> 16);
                out[1] = char(group >> 8);
                out[2] = char(group);
                out += 3;
                in += 4;
            }
            if (in == end)
                break;
        }
        const quint8 value = kTable[*in++];
        if (value == kSpace)
            continue;
        if (value == kPad) {
            // Padding ends a group of two or three sextets, one '=' for each missing.
            if (m_sextets + m_padding < 2 || m_sextets + m_padding >= 4)
                return false;
            ++m_padding;
            continue;
        }
        if (value == kInvalid || m_padding)
            return false;
        m_bits = m_bits << 6 | value;
        if (++m_sextets == 4) {
            out[0] = char(m_bits >> 16);
            out[1] = char(m_bits >> 8);
            out[2] = char(m_bits);
            out += 3;
            m_bits = 0;
            m_sextets = 0;
        }
    }
    m_out.truncate(out - m_out.constData());
    return true;
}

bool Base64Decoder::Finish()
{
    // Two sextets make one byte, three make two; one alone makes none.
    if (m_sextets == 1)
        return false;
    if (m_sextets >= 2)
        m_out += char(m_bits >> (m_sextets == 2 ? 4 : 10));
    if (m_sextets == 3)
        m_out += char(m_bits >> 2);
    m_bits = 0;
    m_sextets = 0;
    if (m_out.capacity() > m_out.size() + 64)
        m_out.squeeze();
    return true;
}

} // namespace reelkeep
