// A tokenizer for the plain UTF-8 XML that catalogues are written in: elements,
// attributes, text and the five predefined entities and character references, read
// several times faster than a general parser reads them. It declines (throws
// XmlFastPathDeclined) whatever it is not sure of — a document type declaration,
// comments, processing instructions, CDATA, names outside ASCII, and every error — so
// that the general parser reads such a file again from its start, with its own
// messages. Whatever it accepts, it reports exactly as the general parser would.
#pragma once

#include "XmlFileParser.h"

#include <memory>
#include <string>
#include <vector>

class QIODevice;

namespace reelkeep {

struct XmlFastPathDeclined {};

class XmlFastTokenizer {
public:
    explicit XmlFastTokenizer(XmlFileParser::Handler& sink) : m_sink(sink) {}

    // Reads the rest of the device; throws XmlFastPathDeclined, ReelkeepError for a
    // device that cannot be read, or whatever the handler throws.
    void Read(QIODevice& device, const QString& fileName);

    // Where in the file the event being delivered starts.
    qint64 ByteIndex() const { return m_eventIndex; }

private:
    enum class Step { Done, NeedMore };

    void fill(QIODevice& device, const QString& fileName);
    bool parse();
    Step parseProlog();
    Step parseBeforeRoot();
    Step parseContent();
    Step parseStartTag(char* at);
    Step parseEndTag(char* at);
    Step parseText(char* at);
    Step parseTrailer();
    void startEvent(const char* at) { m_eventIndex = m_bufferOffset + (at - m_buffer.get()); }

    XmlFileParser::Handler& m_sink;
    std::unique_ptr<char[]> m_buffer;
    size_t m_capacity = 0;
    char* m_pos = nullptr; // the first byte not yet taken
    char* m_end = nullptr; // the end of the bytes read
    bool m_atEof = false;
    qint64 m_bufferOffset = 0; // of m_buffer[0] in the file
    qint64 m_fileOffset = 0;   // of m_end
    qint64 m_eventIndex = 0;

    enum class Stage { Prolog, BeforeRoot, Content, AfterRoot };
    Stage m_stage = Stage::Prolog;
    bool m_textWanted = false; // text since a start tag is delivered
    std::string m_openNames;   // the open elements' names, one after the other
    std::vector<size_t> m_nameStarts;
    std::vector<const char*> m_attributes;
};

} // namespace reelkeep
