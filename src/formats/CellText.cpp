#include "CellText.h"

#include <cstring>

namespace reelkeep {

namespace {

// Whether the text is ASCII without a CR, as most cells are: every code page holds it
// byte for byte. One pass without branches, which the compiler vectorises.
bool plainAscii(QStringView text)
{
    const char16_t* chars = text.utf16();
    unsigned other = 0;
    for (qsizetype i = 0; i < text.size(); ++i)
        other |= unsigned(chars[i] >= 0x80) | unsigned(chars[i] == u'\r');
    return other == 0;
}

} // namespace

qsizetype AppendText8(QByteArray& out, QStringView text, bool breaksAsTags, const CodePage& codePage)
{
    qsizetype lost = 0;
    const qsizetype start = out.size();
    out.resize(start + text.size());
    char* dst = out.data() + start;
    if (plainAscii(text)) {
        const char16_t* chars = text.utf16();
        for (qsizetype i = 0; i < text.size(); ++i)
            dst[i] = static_cast<char>(chars[i]);
        return 0;
    }
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (breaksAsTags && c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            // Two characters become four bytes: grow and carry on after them.
            const qsizetype at = dst - out.data();
            out.resize(out.size() + 2);
            dst = out.data() + at;
            std::memcpy(dst, "<br>", 4);
            dst += 4;
            ++i;
            continue;
        }
        const unsigned char byte = codePage.fromUnicode(c);
        lost += byte == '?' && c != u'?';
        *dst++ = static_cast<char>(byte);
    }
    return lost;
}

QString TextFrom8(QByteArrayView bytes, bool breaksAsTags, const CodePage& codePage)
{
    QString out(bytes.size(), Qt::Uninitialized);
    QChar* dst = out.data();
    const char* src = bytes.data();
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (breaksAsTags && src[i] == '<' && i + 3 < n && src[i + 1] == 'b' && src[i + 2] == 'r' && src[i + 3] == '>') {
            *dst++ = QChar(u'\r');
            *dst++ = QChar(u'\n');
            i += 3;
            continue;
        }
        *dst++ = codePage.toUnicode(static_cast<unsigned char>(src[i]));
    }
    out.truncate(dst - out.constData());
    return out;
}

} // namespace reelkeep
