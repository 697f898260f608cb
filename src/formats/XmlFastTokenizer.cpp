#include "XmlFastTokenizer.h"

#include "FileIO.h"
#include "ReelkeepError.h"

#include <QByteArrayView>
#include <QIODevice>
#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <string_view>
#include <utility>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace reelkeep {
namespace {

constexpr size_t kBufferGrowth = 1 << 20;
// A single token larger than this is left to the general parser, which streams it.
constexpr size_t kMaxToken = size_t(64) << 20;
constexpr size_t kMaxAttributes = 32;

using ByteTable = std::array<bool, 256>;

constexpr ByteTable kNameStart = [] {
    ByteTable table{};
    for (int c = 'a'; c <= 'z'; ++c)
        table[size_t(c)] = table[size_t(c - 'a' + 'A')] = true;
    table['_'] = table[':'] = true;
    return table;
}();

constexpr ByteTable kNameChar = [] {
    ByteTable table = kNameStart;
    for (int c = '0'; c <= '9'; ++c)
        table[size_t(c)] = true;
    table['.'] = table['-'] = true;
    return table;
}();

// Bytes taken as they are: printable ASCII other than those that start a reference,
// end a text or need a look; tab and line feed in text but not in attribute values,
// where they become spaces.
constexpr ByteTable plainBytes(bool attribute)
{
    ByteTable table{};
    for (int c = 0x20; c < 0x80; ++c)
        table[size_t(c)] = true;
    table['&'] = table['<'] = table[']'] = false;
    table['\t'] = table['\n'] = !attribute;
    return table;
}
constexpr ByteTable kTextPlain = plainBytes(false);
constexpr ByteTable kAttributePlain = plainBytes(true);

bool isSpace(char c)
{
    return c == ' ' || c == '\n' || c == '\t' || c == '\r';
}

char* skipSpace(char* at, const char* end)
{
    while (at < end && isSpace(*at))
        ++at;
    return at;
}

char* skipName(char* at, const char* end)
{
    while (at < end && kNameChar[static_cast<unsigned char>(*at)])
        ++at;
    return at;
}

[[noreturn]] void decline()
{
    throw XmlFastPathDeclined();
}

// The length of the well-formed UTF-8 sequence of a character XML allows that starts
// at a byte above ASCII; 0 for anything else.
size_t utf8Length(const unsigned char* at, const unsigned char* end)
{
    const unsigned lead = at[0];
    const auto continues = [&](ptrdiff_t index) { return at + index < end && (at[index] & 0xC0) == 0x80; };
    if (lead >= 0xC2 && lead <= 0xDF)
        return continues(1) ? 2 : 0;
    if (lead >= 0xE0 && lead <= 0xEF) {
        if (!continues(1) || !continues(2))
            return 0;
        const bool overlong = lead == 0xE0 && at[1] < 0xA0;
        const bool surrogate = lead == 0xED && at[1] > 0x9F;
        const bool nonCharacter = lead == 0xEF && at[1] == 0xBF && at[2] >= 0xBE; // U+FFFE, U+FFFF
        return overlong || surrogate || nonCharacter ? 0 : 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        if (!continues(1) || !continues(2) || !continues(3))
            return 0;
        const bool overlong = lead == 0xF0 && at[1] < 0x90;
        const bool beyondUnicode = lead == 0xF4 && at[1] > 0x8F;
        return overlong || beyondUnicode ? 0 : 4;
    }
    return 0;
}

bool isXmlCharacter(char32_t c)
{
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD)
        || (c >= 0x10000 && c <= 0x10FFFF);
}

char* putUtf8(char* out, char32_t c)
{
    if (c < 0x80) {
        *out++ = char(c);
    } else if (c < 0x800) {
        *out++ = char(0xC0 | (c >> 6));
        *out++ = char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        *out++ = char(0xE0 | (c >> 12));
        *out++ = char(0x80 | ((c >> 6) & 0x3F));
        *out++ = char(0x80 | (c & 0x3F));
    } else {
        *out++ = char(0xF0 | (c >> 18));
        *out++ = char(0x80 | ((c >> 12) & 0x3F));
        *out++ = char(0x80 | ((c >> 6) & 0x3F));
        *out++ = char(0x80 | (c & 0x3F));
    }
    return out;
}

// The character a reference at '&' stands for; `at` moves past its ';'. A reference is
// never shorter than its UTF-8, so it can be written over itself.
char32_t takeReference(const char*& at, const char* end)
{
    static constexpr std::pair<std::string_view, char> kEntities[] = {
        {"&lt;", '<'}, {"&gt;", '>'}, {"&amp;", '&'}, {"&apos;", '\''}, {"&quot;", '"'}};
    const std::string_view rest(at, size_t(end - at));
    if (rest.size() < 2 || rest[1] != '#') {
        for (const auto& [name, character] : kEntities) {
            if (rest.starts_with(name)) {
                at += name.size();
                return char32_t(character);
            }
        }
        decline();
    }
    const bool hex = rest.size() > 2 && rest[2] == 'x';
    const char* digit = at + (hex ? 3 : 2);
    char32_t value = 0;
    const char* const firstDigit = digit;
    for (; digit < end && *digit != ';'; ++digit) {
        const char c = *digit;
        unsigned number;
        if (c >= '0' && c <= '9')
            number = unsigned(c - '0');
        else if (hex && (c | 0x20) >= 'a' && (c | 0x20) <= 'f')
            number = unsigned((c | 0x20) - 'a' + 10);
        else
            decline();
        value = value * (hex ? 16 : 10) + number;
        if (value > 0x10FFFF)
            decline();
    }
    if (digit == firstDigit || digit == end || !isXmlCharacter(value))
        decline();
    at = digit + 1;
    return value;
}

// The first byte from in that is not plain (the whole of [in, end) when all are):
// sixteen bytes a test where the processor can, as long texts (images above all)
// are nearly all plain.
template <bool attribute>
const char* skipPlain(const char* in, const char* end)
{
    constexpr const ByteTable& plain = attribute ? kAttributePlain : kTextPlain;
#ifdef __SSE2__
    const __m128i space = _mm_set1_epi8(0x20);
    const __m128i ampersand = _mm_set1_epi8('&');
    const __m128i lessThan = _mm_set1_epi8('<');
    const __m128i bracket = _mm_set1_epi8(']');
    const __m128i tab = _mm_set1_epi8('\t');
    const __m128i lineFeed = _mm_set1_epi8('\n');
    while (end - in >= 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
        // Compared as signed, the bytes from 0x80 up are below the space too.
        __m128i special = _mm_or_si128(_mm_cmplt_epi8(bytes, space),
                                       _mm_or_si128(_mm_cmpeq_epi8(bytes, ampersand),
                                                    _mm_or_si128(_mm_cmpeq_epi8(bytes, lessThan), _mm_cmpeq_epi8(bytes, bracket))));
        if (!attribute)
            special = _mm_andnot_si128(_mm_or_si128(_mm_cmpeq_epi8(bytes, tab), _mm_cmpeq_epi8(bytes, lineFeed)), special);
        if (const int found = _mm_movemask_epi8(special))
            return in + __builtin_ctz(unsigned(found));
        in += 16;
    }
#endif
    while (in < end && plain[static_cast<unsigned char>(*in)])
        ++in;
    return in;
}

// Checks text or an attribute value lying in [begin, end) and decodes it in place:
// references replaced, line ends made line feeds (in attribute values, every line
// end, tab and line feed a space). Returns the end of the decoded text.
template <bool attribute>
char* decodeInPlace(char* begin, char* end)
{
    const char* in = begin;
    char* out = begin;
    while (in < end) {
        const char* run = in;
        in = skipPlain<attribute>(in, end);
        if (out != run)
            std::memmove(out, run, size_t(in - run));
        out += in - run;
        if (in == end)
            break;
        const char c = *in;
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80) {
            const size_t length = utf8Length(reinterpret_cast<const unsigned char*>(in), reinterpret_cast<const unsigned char*>(end));
            if (length == 0)
                decline();
            std::memmove(out, in, length);
            out += length;
            in += length;
        } else if (c == '&') {
            out = putUtf8(out, takeReference(in, end));
        } else if (c == '\r') {
            *out++ = attribute ? ' ' : '\n';
            in += in + 1 < end && in[1] == '\n' ? 2 : 1;
        } else if (attribute && (c == '\t' || c == '\n')) {
            *out++ = ' ';
            ++in;
        } else if (c == ']') {
            if (!attribute && end - in >= 3 && in[1] == ']' && in[2] == '>')
                decline();
            *out++ = *in++;
        } else {
            decline(); // a control character, or '<' in an attribute value
        }
    }
    return out;
}

// The XML declaration's parts, checked strictly: version 1.0, UTF-8 if an encoding is
// named, and nothing else but a standalone declaration.
bool isPlainDeclaration(std::string_view text)
{
    size_t at = 0;
    const auto space = [&] {
        const size_t before = at;
        while (at < text.size() && isSpace(text[at]))
            ++at;
        return at > before;
    };
    const auto pseudoAttribute = [&](std::string_view name) -> std::optional<std::string_view> {
        const size_t start = at;
        if (!space() || !text.substr(at).starts_with(name)) {
            at = start;
            return std::nullopt;
        }
        at += name.size();
        space();
        if (at >= text.size() || text[at] != '=')
            decline();
        ++at;
        space();
        if (at >= text.size() || (text[at] != '"' && text[at] != '\''))
            decline();
        const size_t close = text.find(text[at], at + 1);
        if (close == std::string_view::npos)
            decline();
        const std::string_view value = text.substr(at + 1, close - at - 1);
        at = close + 1;
        return value;
    };
    if (pseudoAttribute("version") != "1.0")
        return false;
    if (const auto encoding = pseudoAttribute("encoding");
        encoding && QByteArrayView(*encoding).compare("UTF-8", Qt::CaseInsensitive) != 0)
        return false;
    if (const auto standalone = pseudoAttribute("standalone"); standalone && *standalone != "yes" && *standalone != "no")
        return false;
    space();
    return at == text.size();
}

} // namespace

void XmlFastTokenizer::Read(QIODevice& device, const QString& fileName)
{
    for (;;) {
        fill(device, fileName);
        if (parse())
            return;
        if (m_atEof)
            decline(); // the file ends inside a token, or before the document element ends
    }
}

void XmlFastTokenizer::fill(QIODevice& device, const QString& fileName)
{
    const size_t kept = size_t(m_end - m_pos);
    if (kept + kBufferGrowth > m_capacity) {
        if (kept > kMaxToken)
            decline();
        const size_t capacity = std::max(2 * m_capacity, kept + kBufferGrowth);
        auto grown = std::make_unique_for_overwrite<char[]>(capacity);
        if (kept)
            std::memcpy(grown.get(), m_pos, kept);
        m_buffer = std::move(grown);
        m_capacity = capacity;
    } else if (kept) {
        std::memmove(m_buffer.get(), m_pos, kept);
    }
    m_bufferOffset = m_fileOffset - qint64(kept);
    m_pos = m_buffer.get();
    m_end = m_pos + kept;
    const qint64 length = device.read(m_end, qint64(m_capacity - kept));
    if (length < 0)
        throw CannotRead(fileName, device.errorString());
    m_atEof = length == 0;
    m_end += length;
    m_fileOffset += length;
}

bool XmlFastTokenizer::parse()
{
    for (;;) {
        Step step = Step::Done;
        switch (m_stage) {
        case Stage::Prolog:
            step = parseProlog();
            break;
        case Stage::BeforeRoot:
            step = parseBeforeRoot();
            break;
        case Stage::Content:
            step = parseContent();
            break;
        case Stage::AfterRoot:
            step = parseTrailer();
            if (step == Step::Done)
                return true;
            break;
        }
        if (step == Step::NeedMore)
            return false;
    }
}

XmlFastTokenizer::Step XmlFastTokenizer::parseProlog()
{
    static constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    static constexpr std::string_view kDeclarationStart = "<?xml";
    const std::string_view head(m_pos, size_t(m_end - m_pos));
    if (head.size() < kByteOrderMark.size() + kDeclarationStart.size() + 1 && !m_atEof)
        return Step::NeedMore;
    size_t at = head.starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0;
    if (head.substr(at).starts_with(kDeclarationStart) && head.size() > at + kDeclarationStart.size()
        && isSpace(head[at + kDeclarationStart.size()])) {
        const size_t close = head.find("?>", at);
        if (close == std::string_view::npos)
            return Step::NeedMore; // declined at the end of the file
        const size_t from = at + kDeclarationStart.size();
        if (!isPlainDeclaration(head.substr(from, close - from)))
            decline();
        at = close + 2;
    }
    m_pos += at;
    m_stage = Stage::BeforeRoot;
    return Step::Done;
}

XmlFastTokenizer::Step XmlFastTokenizer::parseBeforeRoot()
{
    m_pos = skipSpace(m_pos, m_end);
    if (m_end - m_pos < 2)
        return Step::NeedMore;
    if (*m_pos != '<' || !kNameStart[static_cast<unsigned char>(m_pos[1])])
        decline(); // text, a comment, a processing instruction or a document type
    const Step step = parseStartTag(m_pos);
    if (step == Step::Done && !m_nameStarts.empty())
        m_stage = Stage::Content;
    return step;
}

XmlFastTokenizer::Step XmlFastTokenizer::parseContent()
{
    for (;;) {
        char* const at = m_pos;
        if (at == m_end)
            return Step::NeedMore;
        Step step;
        if (*at != '<') {
            step = parseText(at);
        } else if (at + 1 == m_end) {
            return Step::NeedMore;
        } else if (at[1] == '/') {
            step = parseEndTag(at);
            if (step == Step::Done && m_nameStarts.empty()) {
                m_stage = Stage::AfterRoot;
                return Step::Done;
            }
        } else if (kNameStart[static_cast<unsigned char>(at[1])]) {
            step = parseStartTag(at);
        } else {
            decline(); // a comment, CDATA, a processing instruction, or no name
        }
        if (step == Step::NeedMore)
            return step;
    }
}

XmlFastTokenizer::Step XmlFastTokenizer::parseText(char* at)
{
    auto* const lessThan = static_cast<char*>(std::memchr(at, '<', size_t(m_end - at)));
    if (!lessThan)
        return Step::NeedMore;
    char* const end = decodeInPlace<false>(at, lessThan);
    m_pos = lessThan;
    if (m_textWanted && end != at) {
        startEvent(at);
        m_sink.Characters(at, int(end - at));
    }
    return Step::Done;
}

XmlFastTokenizer::Step XmlFastTokenizer::parseStartTag(char* at)
{
    struct Attribute {
        char* name;
        char* nameEnd;
        char* value;
        char* valueEnd;
    };
    std::array<Attribute, kMaxAttributes> attributes;
    size_t count = 0;
    char* const end = m_end;
    char* const nameEnd = skipName(at + 2, end);
    char* next = nameEnd;
    bool empty = false;
    // Finds the whole tag before anything is written, so that an incomplete one is
    // read again unchanged once more bytes have come.
    for (;;) {
        char* const beforeSpace = next;
        next = skipSpace(next, end);
        if (next == end)
            return Step::NeedMore;
        if (*next == '>') {
            ++next;
            break;
        }
        if (*next == '/') {
            if (next + 1 == end)
                return Step::NeedMore;
            if (next[1] != '>')
                decline();
            next += 2;
            empty = true;
            break;
        }
        if (next == beforeSpace || !kNameStart[static_cast<unsigned char>(*next)] || count == kMaxAttributes)
            decline();
        Attribute& attribute = attributes[count++];
        attribute.name = next;
        attribute.nameEnd = next = skipName(next + 1, end);
        next = skipSpace(next, end);
        if (next == end)
            return Step::NeedMore;
        if (*next != '=')
            decline();
        next = skipSpace(next + 1, end);
        if (next == end)
            return Step::NeedMore;
        if (*next != '"' && *next != '\'')
            decline();
        auto* const close = static_cast<char*>(std::memchr(next + 1, *next, size_t(end - next - 1)));
        if (!close)
            return Step::NeedMore;
        attribute.value = next + 1;
        attribute.valueEnd = close;
        next = close + 1;
    }

    m_nameStarts.push_back(m_openNames.size());
    m_openNames.append(at + 1, nameEnd);
    *nameEnd = '\0';
    m_attributes.clear();
    for (size_t i = 0; i < count; ++i) {
        Attribute& attribute = attributes[i];
        *attribute.nameEnd = '\0';
        *decodeInPlace<true>(attribute.value, attribute.valueEnd) = '\0';
        for (size_t j = 0; j < i; ++j)
            if (std::strcmp(attributes[j].name, attribute.name) == 0)
                decline();
        m_attributes.push_back(attribute.name);
        m_attributes.push_back(attribute.value);
    }
    m_attributes.push_back(nullptr);
    m_pos = next;
    startEvent(at);
    m_sink.StartElement(at + 1, m_attributes.data());
    m_textWanted = !empty;
    if (empty) {
        m_openNames.resize(m_nameStarts.back());
        m_nameStarts.pop_back();
        startEvent(next); // an empty element ends where its tag does
        m_sink.EndElement();
        if (m_nameStarts.empty())
            m_stage = Stage::AfterRoot;
    }
    return Step::Done;
}

XmlFastTokenizer::Step XmlFastTokenizer::parseEndTag(char* at)
{
    const size_t nameStart = m_nameStarts.back();
    const size_t nameLength = m_openNames.size() - nameStart;
    char* next = at + 2;
    if (size_t(m_end - next) <= nameLength)
        return Step::NeedMore;
    if (std::memcmp(next, m_openNames.data() + nameStart, nameLength) != 0)
        decline();
    next = skipSpace(next + nameLength, m_end);
    if (next == m_end)
        return Step::NeedMore;
    if (*next != '>')
        decline(); // another element's name, or more than a name
    m_pos = next + 1;
    m_openNames.resize(nameStart);
    m_nameStarts.pop_back();
    m_textWanted = false;
    startEvent(at);
    m_sink.EndElement();
    return Step::Done;
}

XmlFastTokenizer::Step XmlFastTokenizer::parseTrailer()
{
    m_pos = skipSpace(m_pos, m_end);
    if (m_pos != m_end)
        decline(); // anything but white space after the document element
    return m_atEof ? Step::Done : Step::NeedMore;
}

} // namespace reelkeep
