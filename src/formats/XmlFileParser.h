// A streaming XML parser over a catalogue file (expat, or for plain UTF-8 the fast
// tokenizer first): the file is fed in blocks, so memory stays bounded whatever its
// size; encodings the parser lacks are decoded here; entity expansion is bounded by
// MaxExpandedTextBytes; every failure becomes a ReelkeepError naming the file and the
// parser's reason.
#pragma once

#include <QString>
#include <exception>
#include <utility>

class QFile;
struct XML_ParserStruct;

namespace reelkeep {

class XmlFileParser {
public:
    // The events of a parse, in UTF-8. A handler may throw: the parse stops and
    // Parse throws the same exception.
    class Handler {
    public:
        virtual ~Handler() = default;
        // attributes: name, value, name, value, ..., nullptr.
        virtual void StartElement(const char* name, const char** attributes) = 0;
        virtual void EndElement() = 0;
        // Text of an element, delivered in pieces; line breaks already as LF. Only
        // the text between a start tag and the next tag comes: an element's text
        // after a child element's end tag is left out.
        virtual void Characters(const char* text, int length) = 0;
    };

    XmlFileParser(const QString& fileName, Handler& handler);
    ~XmlFileParser();
    XmlFileParser(const XmlFileParser&) = delete;
    XmlFileParser& operator=(const XmlFileParser&) = delete;

    enum class Tokenizer {
        // For a plain UTF-8 file, the fast tokenizer; it throws XmlFastPathDeclined
        // for what it leaves to the general one, and the caller then parses the
        // file again from its start with a fresh handler and Tokenizer::General.
        Fast,
        General
    };

    // Parses the whole file from its start; throws ReelkeepError. A UTF-8 file is
    // tokenised on a second thread while the handler takes its events on this one.
    void Parse(QFile& file, Tokenizer tokenizer);

    // Where the event being handled lies, for messages (1-based).
    qint64 Line() const;
    qint64 Column() const;

private:
    class Transcoder;

    bool ParseOnTwoThreads(QFile& file);
    void ParseWith(QFile& file, Transcoder* transcoder, Handler& sink);
    void ParseWithExpat(QFile& file, Transcoder* transcoder, Handler& sink);
    qint64 ByteIndex() const;
    void Configure();
    void Feed(QFile& file, Transcoder* transcoder);
    [[noreturn]] void Fail() const;
    template <typename Event> void Guarded(Event&& event);
    // Line and column of a byte of the file, counted as the parser counts them.
    std::pair<qint64, qint64> PositionOfByte(qint64 index) const;

    const QString m_fileName;
    Handler& m_handler;
    qint64 m_textLimit = 0;
    // The parsing side: on the second thread when there is one.
    XML_ParserStruct* m_parser = nullptr;
    Handler* m_sink = nullptr;
    std::exception_ptr m_exception;
    QString m_unknownEncoding;
    bool m_fast = false;
    const class XmlFastTokenizer* m_fastTokenizer = nullptr;
    // The handling side, replaying what the second thread recorded.
    const class XmlEventReplayer* m_replayer = nullptr;
};

} // namespace reelkeep
