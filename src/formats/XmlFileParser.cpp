#include "XmlFileParser.h"

#include "CodePage.h"
#include "FileIO.h"
#include "LoadLimits.h"
#include "ReelkeepError.h"
#include "XmlEventBatches.h"
#include "XmlFastTokenizer.h"

#include <QFile>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStringDecoder>
#include <expat.h>
#include <algorithm>
#include <memory>
#include <new>
#include <optional>
#include <system_error>
#include <thread>

namespace reelkeep {
namespace {

constexpr qint64 kReadBlockSize = 1 << 20;

using ParserPtr = std::unique_ptr<XML_ParserStruct, decltype(&XML_ParserFree)>;

// The encoding named by the XML declaration at the start of the text; empty when none.
QStringView declaredEncoding(QStringView text)
{
    if (!text.startsWith(u"<?xml"))
        return {};
    static const QRegularExpression encodingRe(QStringLiteral("^<\\?xml[^>]*?\\sencoding\\s*=\\s*[\"']([A-Za-z0-9._-]+)[\"']"));
    const QRegularExpressionMatch match = encodingRe.match(text.left(text.indexOf(u"?>")));
    return match.hasMatch() ? text.mid(match.capturedStart(1), match.capturedLength(1)) : QStringView();
}

// UTF-8, which expat reads as it is: no byte order mark of another encoding, and no
// other encoding declared.
bool isUtf8(QByteArrayView head)
{
    const auto marked = QStringConverter::encodingForData(head, u'<');
    if (marked && *marked != QStringConverter::Utf8)
        return false;
    const QString text = QString::fromLatin1(head);
    const QStringView declared = declaredEncoding(text);
    return declared.isEmpty() || declared.compare(u"UTF-8", Qt::CaseInsensitive) == 0;
}

} // namespace

// Decodes, block by block into UTF-8, a file in an encoding expat lacks: UTF-32, the
// windows-1251 of older catalogues, or any other that Qt knows.
class XmlFileParser::Transcoder {
public:
    // The transcoder the head of a file asks for: UTF-32, told by its byte order mark
    // or by the '<' the file starts with, or the encoding its XML declaration names
    // when expat lacks it. Null when expat reads the file itself, or when the
    // encoding is unknown here too, which expat then reports.
    static std::unique_ptr<Transcoder> ForHead(QByteArrayView head)
    {
        const auto encoding = QStringConverter::encodingForData(head, u'<');
        if (encoding == QStringConverter::Utf32 || encoding == QStringConverter::Utf32LE
            || encoding == QStringConverter::Utf32BE)
            return std::unique_ptr<Transcoder>(new Transcoder(QStringDecoder(*encoding), QStringLiteral("UTF-32")));
        const QString name = declaredEncoding(QString::fromLatin1(head)).toString();
        static const QStringList expatEncodings = {QStringLiteral("UTF-8"), QStringLiteral("UTF-16"),
                                                   QStringLiteral("ISO-8859-1"), QStringLiteral("US-ASCII")};
        if (name.isEmpty() || expatEncodings.contains(name, Qt::CaseInsensitive))
            return nullptr;
        try {
            // The program's own windows-1251, under any of its names, reads such text
            // exactly as the .kdx forms do.
            if (CodePage(name.toLatin1()).name() == CodePage::Default().name())
                return std::unique_ptr<Transcoder>(new Transcoder(std::nullopt, name));
        } catch (const ReelkeepError&) {
        }
        QStringDecoder decoder(name.toLatin1().constData());
        if (!decoder.isValid())
            return nullptr;
        return std::unique_ptr<Transcoder>(new Transcoder(std::move(decoder), name));
    }

    // The UTF-8 of the next bytes. The declaration's encoding becomes "UTF-8", which
    // the text now is; some names (such as "1251") are not even valid there.
    QByteArray ToUtf8(QByteArrayView bytes)
    {
        QString text;
        if (m_decoder) {
            text = m_decoder->decode(bytes);
            m_failed = m_failed || m_decoder->hasError();
        } else {
            text = CodePage::Default().decode(bytes);
        }
        if (m_atStart) {
            m_atStart = false;
            const QStringView name = declaredEncoding(text);
            if (!name.isEmpty())
                text.replace(name.data() - text.constData(), name.size(), QStringLiteral("UTF-8"));
        }
        return text.toUtf8();
    }

    bool Failed() const { return m_failed; }
    const QString& Name() const { return m_name; }

private:
    // Without a Qt decoder the program's own windows-1251 decodes.
    Transcoder(std::optional<QStringDecoder> decoder, QString name) : m_decoder(std::move(decoder)), m_name(std::move(name))
    {
    }

    std::optional<QStringDecoder> m_decoder;
    QString m_name;
    bool m_atStart = true;
    bool m_failed = false;
};

XmlFileParser::XmlFileParser(const QString& fileName, Handler& handler) : m_fileName(fileName), m_handler(handler) {}

XmlFileParser::~XmlFileParser() = default;

qint64 XmlFileParser::Line() const
{
    if (m_replayer)
        return PositionOfByte(m_replayer->ByteIndex()).first;
    if (m_fastTokenizer)
        return PositionOfByte(m_fastTokenizer->ByteIndex()).first;
    return m_parser ? qint64(XML_GetCurrentLineNumber(m_parser)) : 0;
}

qint64 XmlFileParser::Column() const
{
    if (m_replayer)
        return PositionOfByte(m_replayer->ByteIndex()).second;
    if (m_fastTokenizer)
        return PositionOfByte(m_fastTokenizer->ByteIndex()).second;
    return m_parser ? qint64(XML_GetCurrentColumnNumber(m_parser)) + 1 : 0;
}

qint64 XmlFileParser::ByteIndex() const
{
    return m_fastTokenizer ? m_fastTokenizer->ByteIndex() : qint64(XML_GetCurrentByteIndex(m_parser));
}

void XmlFileParser::Parse(QFile& file, Tokenizer tokenizer)
{
    m_textLimit = MaxExpandedTextBytes(file.size());
    const QByteArray head = file.peek(512);
    const std::unique_ptr<Transcoder> transcoder = Transcoder::ForHead(head);
    const bool utf8 = !transcoder && isUtf8(head);
    m_fast = utf8 && tokenizer == Tokenizer::Fast;
    if (utf8 && ParseOnTwoThreads(file))
        return;
    ParseWith(file, transcoder.get(), m_handler);
}

// False, with nothing read, when no second thread can be had.
bool XmlFileParser::ParseOnTwoThreads(QFile& file)
{
    XmlEventQueue queue;
    XmlEventRecorder recorder(queue, [this] { return ByteIndex(); });
    std::thread parsing;
    try {
        parsing = std::thread([&] {
            std::exception_ptr failure;
            try {
                ParseWith(file, nullptr, recorder);
            } catch (const XmlReplayCancelled&) {
            } catch (...) {
                failure = std::current_exception();
            }
            try {
                // Events before a failure are handled first, as on one thread.
                recorder.Flush();
            } catch (...) {
            }
            queue.Finish(failure);
        });
    } catch (const std::system_error&) {
        return false;
    }
    XmlEventReplayer replayer;
    m_replayer = &replayer;
    const auto stop = qScopeGuard([&] {
        queue.Cancel();
        parsing.join();
        m_replayer = nullptr;
    });
    while (std::optional<XmlEventBatch> batch = queue.Pop()) {
        replayer.Replay(*batch, m_handler);
        queue.Recycle(std::move(*batch));
    }
    if (const std::exception_ptr failure = queue.Failure())
        std::rethrow_exception(failure);
    return true;
}

void XmlFileParser::ParseWith(QFile& file, Transcoder* transcoder, Handler& sink)
{
    if (m_fast) {
        XmlFastTokenizer tokenizer(sink);
        m_fastTokenizer = &tokenizer;
        const auto forget = qScopeGuard([this] { m_fastTokenizer = nullptr; });
        tokenizer.Read(file, m_fileName);
        return;
    }
    ParseWithExpat(file, transcoder, sink);
}

void XmlFileParser::ParseWithExpat(QFile& file, Transcoder* transcoder, Handler& sink)
{
    ParserPtr parser(XML_ParserCreate(transcoder ? "UTF-8" : nullptr), &XML_ParserFree);
    if (!parser)
        throw std::bad_alloc();
    m_parser = parser.get();
    m_sink = &sink;
    const auto forget = qScopeGuard([this] { m_parser = nullptr; });
    Configure();
    Feed(file, transcoder);
}

std::pair<qint64, qint64> XmlFileParser::PositionOfByte(qint64 index) const
{
    QFile file(m_fileName);
    qint64 line = 1;
    qint64 column = 0;
    if (!file.open(QIODevice::ReadOnly))
        return {line, column + 1};
    char previous = 0;
    for (qint64 done = 0; done < index;) {
        const QByteArray block = file.read(std::min<qint64>(kReadBlockSize, index - done));
        if (block.isEmpty())
            break;
        for (const char c : block) {
            if (c == '\r' || (c == '\n' && previous != '\r')) {
                ++line;
                column = 0;
            } else if (c != '\n' && (static_cast<unsigned char>(c) & 0xC0) != 0x80) {
                ++column; // a character, not the continuation of one
            }
            previous = c;
        }
        done += block.size();
    }
    return {line, column + 1};
}

template <typename Event>
void XmlFileParser::Guarded(Event&& event)
{
    // Exceptions must not unwind through the C parser: keep the first and stop.
    if (m_exception)
        return;
    try {
        event();
    } catch (...) {
        m_exception = std::current_exception();
        XML_StopParser(m_parser, XML_FALSE);
    }
}

void XmlFileParser::Configure()
{
    XML_SetUserData(m_parser, this);
    // Direct text never counts against the limit (a factor of 1 allows it); text
    // that entity references add is refused once the total reaches the limit.
    XML_SetBillionLaughsAttackProtectionActivationThreshold(m_parser, static_cast<unsigned long long>(m_textLimit));
    XML_SetBillionLaughsAttackProtectionMaximumAmplification(m_parser, 1.0f);
    // Text is delivered only from a start tag up to the next tag: a catalogue keeps
    // its text in elements without children, and what follows an end tag is the line
    // break and indentation before the next element. Calls for those would be almost
    // half of all the calls of a parse.
    static constexpr XML_CharacterDataHandler characters = [](void* self, const XML_Char* text, int length) {
        auto* parser = static_cast<XmlFileParser*>(self);
        parser->Guarded([&] { parser->m_sink->Characters(text, length); });
    };
    XML_SetElementHandler(
        m_parser,
        [](void* self, const XML_Char* name, const XML_Char** attributes) {
            auto* parser = static_cast<XmlFileParser*>(self);
            XML_SetCharacterDataHandler(parser->m_parser, characters);
            parser->Guarded([&] { parser->m_sink->StartElement(name, attributes); });
        },
        [](void* self, const XML_Char*) {
            auto* parser = static_cast<XmlFileParser*>(self);
            XML_SetCharacterDataHandler(parser->m_parser, nullptr);
            parser->Guarded([&] { parser->m_sink->EndElement(); });
        });
    // Only to name the encoding in the message: one that neither expat nor Qt knows.
    XML_SetUnknownEncodingHandler(
        m_parser,
        [](void* self, const XML_Char* name, XML_Encoding*) {
            static_cast<XmlFileParser*>(self)->m_unknownEncoding = QString::fromUtf8(name);
            return int(XML_STATUS_ERROR);
        },
        this);
}

void XmlFileParser::Feed(QFile& file, Transcoder* transcoder)
{
    QByteArray raw;
    for (;;) {
        char* buffer = nullptr;
        if (transcoder) {
            raw.resize(kReadBlockSize);
            buffer = raw.data();
        } else if (!(buffer = static_cast<char*>(XML_GetBuffer(m_parser, int(kReadBlockSize))))) {
            Fail();
        }
        const qint64 length = file.read(buffer, kReadBlockSize);
        if (length < 0)
            throw CannotRead(m_fileName, file.errorString());
        const bool last = length == 0;
        XML_Status status;
        if (transcoder) {
            const QByteArray utf8 = transcoder->ToUtf8(QByteArrayView(buffer, length));
            if (transcoder->Failed())
                throw FormatError(Message("XmlBytesNotInEncoding").arg(m_fileName).arg(transcoder->Name()));
            status = XML_Parse(m_parser, utf8.constData(), int(utf8.size()), last);
        } else {
            status = XML_ParseBuffer(m_parser, int(length), last);
        }
        if (m_exception)
            std::rethrow_exception(m_exception);
        if (status != XML_STATUS_OK)
            Fail();
        if (last)
            return;
    }
}

void XmlFileParser::Fail() const
{
    switch (const XML_Error code = XML_GetErrorCode(m_parser)) {
    case XML_ERROR_NO_MEMORY:
        throw std::bad_alloc();
    case XML_ERROR_AMPLIFICATION_LIMIT_BREACH:
        throw FormatError(Message("XmlEntitiesTooLarge").arg(m_fileName).arg(m_textLimit >> 20));
    case XML_ERROR_UNKNOWN_ENCODING:
        throw FormatError(Message("XmlUnknownEncoding").arg(m_fileName).arg(m_unknownEncoding));
    default:
        // The parser's own position: this may run on the parsing thread.
        // The parser's reason stays in its own words, inside a sentence of ours.
        throw FormatError(Message("XmlNotWellFormed")
                              .arg(m_fileName)
                              .arg(Message::Verbatim(QString::fromUtf8(XML_ErrorString(code))))
                              .arg(qint64(XML_GetCurrentLineNumber(m_parser)))
                              .arg(qint64(XML_GetCurrentColumnNumber(m_parser)) + 1));
    }
}

} // namespace reelkeep
