// The events of an XML parse written down, the pieces of a text joined, so that the
// fast tokenizer and expat can be compared on the same file.
#pragma once

#include "ReelkeepError.h"
#include "XmlFastTokenizer.h"
#include "XmlFileParser.h"

#include <QFile>
#include <algorithm>
#include <functional>
#include <optional>
#include <string>

namespace reelkeep::testing {

class XmlEventLog : public XmlFileParser::Handler {
public:
    void StartElement(const char* name, const char** attributes) override
    {
        m_log += std::string("\n<") + name;
        for (; *attributes; attributes += 2)
            m_log += std::string(" ") + attributes[0] + "=[" + attributes[1] + "]";
        m_log += ">@" + std::to_string(m_position()) + " ";
    }
    void EndElement() override { m_log += "\n</>@" + std::to_string(m_position()) + " "; }
    void Characters(const char* text, int length) override { m_log.append(text, size_t(length)); }

    const std::string& Log() const { return m_log; }
    // Where each element event lies is logged too, as the reader's messages place it.
    void TellPosition(std::function<qint64()> position) { m_position = std::move(position); }

private:
    std::string m_log;
    std::function<qint64()> m_position;
};

// The events of the file read by one tokenizer; nothing when it refuses the file or
// declines it.
inline std::optional<std::string> XmlEvents(const QString& fileName, XmlFileParser::Tokenizer tokenizer)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    XmlEventLog log;
    XmlFileParser parser(fileName, log);
    log.TellPosition([&parser] { return parser.Line() * 100000 + parser.Column(); });
    try {
        parser.Parse(file, tokenizer);
    } catch (const XmlFastPathDeclined&) {
        return std::nullopt;
    } catch (const ReelkeepError&) {
        return std::nullopt;
    }
    return log.Log();
}

// Where two logs first differ, with a little of each around it; empty when they are the same.
inline std::string XmlLogDifference(const std::optional<std::string>& one, const std::optional<std::string>& other)
{
    if (one == other)
        return {};
    if (!one || !other)
        return one ? "only the first was read" : "only the second was read";
    const auto [at, _] = std::mismatch(one->begin(), one->end(), other->begin(), other->end());
    const size_t from = size_t(at - one->begin()) > 80 ? size_t(at - one->begin()) - 80 : 0;
    return "first: ..." + one->substr(from, 160) + "\nsecond: ..." + other->substr(from, 160);
}

} // namespace reelkeep::testing
