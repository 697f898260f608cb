#include "Base64Decoder.h"

#include <QtEndian>
#include <array>
#include <cstring>
#include <sys/mman.h>
#include <unistd.h>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define REELKEEP_BASE64_AVX2 1
#endif

namespace reelkeep {
namespace {

constexpr quint8 kInvalid = 0xFF;
constexpr quint8 kSpace = 0xFE;
constexpr quint8 kPad = 0xFD;
constexpr const char* kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

constexpr std::array<quint8, 256> makeTable()
{
    std::array<quint8, 256> table{};
    for (auto& value : table)
        value = kInvalid;
    for (quint8 i = 0; i < 64; ++i)
        table[static_cast<unsigned char>(kAlphabet[i])] = i;
    for (const char c : {' ', '\t', '\n', '\r'})
        table[static_cast<unsigned char>(c)] = kSpace;
    table['='] = kPad;
    return table;
}

constexpr std::array<quint8, 256> kTable = makeTable();

// For the run of whole groups: a letter's six bits already where its place in a group
// of four puts them, and a bit above the group's 24 for anything that is no letter,
// so that one test tells whether a group is four letters.
constexpr quint32 kNotLetter = 1u << 24;

constexpr std::array<quint32, 256> makePlaced(int shift)
{
    std::array<quint32, 256> table{};
    for (int c = 0; c < 256; ++c)
        table[static_cast<size_t>(c)] = kTable[static_cast<size_t>(c)] < 64 ? quint32(kTable[static_cast<size_t>(c)]) << shift : kNotLetter;
    return table;
}

constexpr std::array<quint32, 256> kFirst = makePlaced(18);
constexpr std::array<quint32, 256> kSecond = makePlaced(12);
constexpr std::array<quint32, 256> kThird = makePlaced(6);
constexpr std::array<quint32, 256> kFourth = makePlaced(0);

quint32 group(const unsigned char* in)
{
    return kFirst[in[0]] | kSecond[in[1]] | kThird[in[2]] | kFourth[in[3]];
}

// Bytes written past the end of the decoded ones by the run of whole groups.
constexpr qsizetype kSlack = 8;

#ifdef REELKEEP_BASE64_AVX2
// Thirty-two letters at a time, on processors with AVX2: each round checks that all
// 32 bytes are letters of the alphabet (a bit of the low nibble's class meets one of
// the high nibble's for anything else), turns them into their sextets, packs those
// into 24 bytes and writes 32 (kSlack bytes after them). Stops before the first
// block that holds anything else, for the plain loop to take.
__attribute__((target("avx2"))) void decodeBlocksAvx2(const unsigned char*& text, const unsigned char* end, char*& decoded)
{
    const __m256i lowClass = _mm256_setr_epi8(0x15, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x13, 0x1A, 0x1B, 0x1B, 0x1B, 0x1A,
                                              0x15, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x13, 0x1A, 0x1B, 0x1B, 0x1B, 0x1A);
    const __m256i highClass = _mm256_setr_epi8(0x10, 0x10, 0x01, 0x02, 0x04, 0x08, 0x04, 0x08, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10,
                                               0x10, 0x10, 0x01, 0x02, 0x04, 0x08, 0x04, 0x08, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10);
    // What to add to a letter to get its sextet, by its high nibble ('/' apart).
    const __m256i shift = _mm256_setr_epi8(0, 16, 19, 4, -65, -65, -71, -71, 0, 0, 0, 0, 0, 0, 0, 0,
                                           0, 16, 19, 4, -65, -65, -71, -71, 0, 0, 0, 0, 0, 0, 0, 0);
    const __m256i groupBytes = _mm256_setr_epi8(2, 1, 0, 6, 5, 4, 10, 9, 8, 14, 13, 12, -1, -1, -1, -1,
                                                2, 1, 0, 6, 5, 4, 10, 9, 8, 14, 13, 12, -1, -1, -1, -1);
    const __m256i lanesTogether = _mm256_setr_epi32(0, 1, 2, 4, 5, 6, 7, 7);
    const __m256i nibble = _mm256_set1_epi8(0x0F);
    const __m256i slash = _mm256_set1_epi8('/');
    const unsigned char* in = text;
    char* out = decoded;
    while (end - in >= 32) {
        const __m256i letters = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(in));
        const __m256i high = _mm256_and_si256(_mm256_srli_epi32(letters, 4), nibble);
        const __m256i low = _mm256_and_si256(letters, nibble);
        if (!_mm256_testz_si256(_mm256_shuffle_epi8(lowClass, low), _mm256_shuffle_epi8(highClass, high)))
            break;
        const __m256i sextets = _mm256_add_epi8(letters, _mm256_shuffle_epi8(shift, _mm256_add_epi8(_mm256_cmpeq_epi8(letters, slash), high)));
        const __m256i pairs = _mm256_maddubs_epi16(sextets, _mm256_set1_epi32(0x01400140));
        const __m256i groups = _mm256_madd_epi16(pairs, _mm256_set1_epi32(0x00011000));
        const __m256i bytes = _mm256_permutevar8x32_epi32(_mm256_shuffle_epi8(groups, groupBytes), lanesTogether);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out), bytes);
        out += 24;
        in += 32;
    }
    text = in;
    decoded = out;
}

const bool kHasAvx2 = __builtin_cpu_supports("avx2");
#endif

// Fresh memory is faulted in one call rather than a page at a time as it is written:
// for an image of hundreds of kilobytes, far cheaper. Only whole pages inside the buffer.
void prefault(char* begin, qsizetype size)
{
    static const auto page = static_cast<quintptr>(sysconf(_SC_PAGESIZE));
    const quintptr first = (reinterpret_cast<quintptr>(begin) + page - 1) & ~(page - 1);
    const quintptr last = (reinterpret_cast<quintptr>(begin) + quintptr(size)) & ~(page - 1);
#ifdef MADV_POPULATE_WRITE
    if (last > first)
        madvise(reinterpret_cast<void*>(first), last - first, MADV_POPULATE_WRITE); // a kernel without it faults as usual
#endif
}

} // namespace

void Base64Decoder::Reset(qsizetype expectedLength)
{
    m_out = QByteArray();
    const qsizetype capacity = expectedLength / 4 * 3 + 3 + kSlack;
    m_out.reserve(capacity);
    if (expectedLength > 0)
        prefault(m_out.data(), capacity);
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
    m_out.resize(start + (m_sextets + text.size()) / 4 * 3 + kSlack);
    char* out = m_out.data() + start;
    while (in != end) {
        // The usual case: letters of the alphabet in a row, two groups at a time,
        // their six bytes written at once (with kSlack bytes after them).
        if (m_sextets == 0 && !m_padding) {
#ifdef REELKEEP_BASE64_AVX2
            if (kHasAvx2)
                decodeBlocksAvx2(in, end, out);
#endif
            while (end - in >= 8) {
                const quint32 a = group(in), b = group(in + 4);
                if ((a | b) & kNotLetter)
                    break;
                qToBigEndian(quint64(a) << 40 | quint64(b) << 16, out);
                out += 6;
                in += 8;
            }
            while (end - in >= 4) {
                const quint32 a = group(in);
                if (a & kNotLetter)
                    break;
                qToBigEndian(a << 8, out);
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
