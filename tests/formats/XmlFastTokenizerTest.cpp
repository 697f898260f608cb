// The fast XML tokenizer against expat: what it accepts it reports exactly as expat
// does, what expat refuses it never accepts, and the catalogues the program writes it
// always takes.
#include "FormatTestSupport.h"
#include "TReelkeepXMLSerialiazerV2_1.h"
#include "XmlEventLog.h"

#include <QBuffer>
#include <algorithm>
#include <cstring>
#include <random>

namespace reelkeep::testing {
namespace {

using Tokenizer = XmlFileParser::Tokenizer;

// Well-formed XML that is not what the writer makes.
const char* const kPlainXml[] = {
    "\xEF\xBB\xBF<a/>",
    "<?xml version='1.0' encoding='utf-8' standalone='yes' ?>\r\n<a\tx = \"1\"\ny='&#x41;&#66;&lt;&gt;&amp;&apos;&quot;'></a\n>",
    "<?xml version=\"1.0\"?><r><e a=\"tab\there\r\nline&#13;&#10;&#9;\"/>\r\n<e>x\ry\r\nz&#13;</e> <e>]] ]></e></r>\n\n",
    "<r:x _a-b.c=\"\" :z=\"&#x10FFFF;&#xE000;&#55295;\"><t>\xC2\x80\xE0\xA0\x80\xED\x9F\xBF\xF0\x90\x80\x80\xF4\x8F\xBF\xBF</t>"
    "<u>mixed<v/>after</u></r:x>",
};

// A device that hands out its bytes a few at a time, so that every token of a file
// is cut somewhere between two reads.
class TricklingDevice : public QIODevice {
public:
    explicit TricklingDevice(QByteArray bytes) : m_bytes(std::move(bytes)) { open(QIODevice::ReadOnly); }

protected:
    qint64 readData(char* data, qint64 capacity) override
    {
        const qint64 length = std::min({capacity, qint64(m_bytes.size()) - m_at, 1 + m_reads++ % 7});
        std::memcpy(data, m_bytes.constData() + m_at, size_t(length));
        m_at += length;
        return length;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray m_bytes;
    qint64 m_at = 0;
    qint64 m_reads = 0;
};

// The fast tokenizer's events for bytes read from the device; nothing when it declines.
std::optional<std::string> fastEventsFrom(QIODevice& device)
{
    XmlEventLog log;
    XmlFastTokenizer tokenizer(log);
    log.TellPosition([&tokenizer] { return tokenizer.ByteIndex(); });
    try {
        tokenizer.Read(device, QStringLiteral("in.xml"));
    } catch (const XmlFastPathDeclined&) {
        return std::nullopt;
    }
    return log.Log();
}

class XmlFastTokenizerTest : public FormatTest {
protected:
    // Expat's events, and the fast tokenizer's when it takes the file.
    std::pair<std::optional<std::string>, std::optional<std::string>> readBoth(const QByteArray& bytes)
    {
        const QString fileName = write("in.xml", bytes);
        return {XmlEvents(fileName, Tokenizer::General), XmlEvents(fileName, Tokenizer::Fast)};
    }
};

TEST_F(XmlFastTokenizerTest, TakesWrittenCataloguesAndPlainXmlExactlyAsExpatReadsThem)
{
    auto lists = sampleCatalogue();
    // In the last list, so that few events lie beyond its long text.
    TzkRow& row = *lists->List(lists->Count() - 1)->AddRow();
    row.Fields[csTitle] = QString::fromUtf8("lone\rCR lone\nLF CR\r\nLF <br> &amp; <&>\"' \ttab Ё 😀 \u0085\u2028");
    row.Fields[csActors] = QStringLiteral("  spaces kept  ");
    // Longer than a block, so that one text crosses the blocks the file is read in.
    row.Fields[csDescription] = QString::fromUtf8("я").repeated(600000) + QStringLiteral("&end");
    // Images after the items, one of them base64 longer than a block.
    lists->List(0)->Images.AddImage(QByteArray(1200000, '\x7F'), lists->List(0)->Row(0)->ID);
    lists->List(0)->Images.AddImage("small", lists->List(0)->Row(0)->ID);
    const QString catalogue = path("written.xkdx");
    TReelkeepXMLSerialiazerV2_1().Save(catalogue, *lists);
    const auto fast = XmlEvents(catalogue, Tokenizer::Fast);
    ASSERT_TRUE(fast.has_value()) << "the fast tokenizer declined a written catalogue";
    EXPECT_EQ(XmlLogDifference(fast, XmlEvents(catalogue, Tokenizer::General)), "");

    for (const char* text : kPlainXml) {
        const auto [expat, fastEvents] = readBoth(QByteArray(text));
        ASSERT_TRUE(expat.has_value()) << text;
        EXPECT_EQ(XmlLogDifference(fastEvents, expat), "") << text;
    }
}

TEST_F(XmlFastTokenizerTest, ReadsTheSameWhereverTheReadsCutTheFile)
{
    const QString catalogue = path("sample.xkdx");
    TReelkeepXMLSerialiazerV2_1().Save(catalogue, *sampleCatalogue());
    std::vector<QByteArray> files = {ReadWholeFile(catalogue)};
    files.insert(files.end(), std::begin(kPlainXml), std::end(kPlainXml));
    for (const QByteArray& bytes : files) {
        QBuffer whole;
        whole.setData(bytes);
        whole.open(QIODevice::ReadOnly);
        const auto expected = fastEventsFrom(whole);
        ASSERT_TRUE(expected.has_value()) << bytes.toStdString();
        TricklingDevice trickling(bytes);
        EXPECT_EQ(XmlLogDifference(fastEventsFrom(trickling), expected), "") << bytes.toStdString();
        // Cut short, wherever, it is declined.
        for (qsizetype length = 0; length < bytes.size() - 2; length += 1 + length / 3) {
            TricklingDevice truncated(bytes.left(length));
            EXPECT_FALSE(fastEventsFrom(truncated).has_value()) << length;
        }
    }
}

// Refused by XML; each must be refused by expat and never taken by the fast tokenizer.
TEST_F(XmlFastTokenizerTest, NeverTakesWhatExpatRefusesNorReportsItOtherwise)
{
    const QByteArray base = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Reelkeep A=\"1\" B='x&amp;y'>\r\n"
                            "\t<Item ID=\"1\"><Field N=\"0\">Фильм &#13;&#x41; &lt;b&gt;</Field><Field N=\"1\"/></Item>\n"
                            "\t<Item ID=\"2\"><Field N=\"3\">a]b\tc\r\nd\xF0\x9F\x98\x80</Field></Item>\n</Reelkeep>\n";
    const char* const refused[] = {
        "<a>]]></a>", "<a>&#0;</a>", "<a>&#xD800;</a>", "<a>&#xFFFE;</a>", "<a>&#x110000;</a>", "<a>&#X41;</a>",
        "<a>&#;</a>", "<a>&nbsp;</a>", "<a>&amp</a>", "<a x=\"1\" x=\"2\"/>", "<a x=\"<\"/>", "<a x=1/>",
        "<a x=\"1\"y=\"2\"/>", "<a></b>", "<a></ab>", "<ab></a>", "<a>\x01</a>", "<a>\xC0\x80</a>", "<a>\xED\xA0\x80</a>",
        "<a>\xEF\xBF\xBE</a>", "<a>\xF4\x90\x80\x80</a>", "<a>\xE0\x80\xAF</a>", "<a>\x80</a>", "<a>\xC3</a>",
        "x<a/>", "<a/><b/>", "<a/>x", "<a>", "<a", "", " <?xml version=\"1.0\"?><a/>",
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"maybe\"?><a/>", "<1a/>", "< a/>", "</a>", "<a/ >",
        "<a x=\"1\" / >", "<a>\0</a>",
    };
    std::vector<QByteArray> cases(std::begin(refused), std::end(refused));
    cases.back() = QByteArray("<a>\0</a>", 8);
    for (const QByteArray& bytes : cases) {
        const auto [expat, fast] = readBoth(bytes);
        EXPECT_FALSE(expat.has_value()) << bytes.toStdString();
        EXPECT_FALSE(fast.has_value()) << bytes.toStdString();
    }

    // Random damage to a small catalogue-like document: bytes replaced, inserted and
    // removed, chosen from those that matter to XML.
    const QByteArray alphabet = QByteArrayLiteral("<>&;#x\"'/=!?]\r\n\t :-aZ1\xC3\xBF\x80\xED\xEF\xF0");
    // The address sanitizer makes every round some six times dearer: fewer rounds there.
#ifdef __SANITIZE_ADDRESS__
    constexpr int kRounds = 600;
#else
    constexpr int kRounds = 3000;
#endif
    std::mt19937 random(20261206);
    int taken = 0;
    for (int round = 0; round < kRounds; ++round) {
        QByteArray bytes = base;
        for (int edit = 0, edits = 1 + int(random() % 3); edit < edits; ++edit) {
            const auto at = qsizetype(random() % quint32(bytes.size()));
            const char byte = alphabet[qsizetype(random() % quint32(alphabet.size()))];
            switch (random() % 3) {
            case 0: bytes[at] = byte; break;
            case 1: bytes.insert(at, byte); break;
            default: bytes.remove(at, 1 + qsizetype(random() % 3)); break;
            }
        }
        const auto [expat, fast] = readBoth(bytes);
        if (fast) {
            ++taken;
            ASSERT_EQ(XmlLogDifference(fast, expat), "") << bytes.toStdString();
        }
    }
    // The damage must leave many files whole enough for the comparison to mean something.
    EXPECT_GT(taken, kRounds / 30);
}

// Long texts are looked at many bytes at a time: whatever needs a look (a reference,
// a line end, a control character, "]]>", a byte of UTF-8), wherever it stands in a
// long text or attribute value, is read as expat reads it or refused as expat refuses it.
TEST_F(XmlFastTokenizerTest, ABytePastTheStartOfALongTextIsSeenWhereverItStands)
{
    const QByteArray filler(48, 'x');
    for (const char* piece : {"]]>", "]]", "&amp;", "\r\n", "\r", "\t", "\n", "\x01", "\x7F", "\xC3\xA9", "\x80", "&", "\""}) {
        for (int at = 0; at <= 40; ++at) {
            const QByteArray text = filler.left(at) + piece + filler.mid(at);
            for (const QByteArray& bytes : {QByteArray("<a>" + text + "</a>"), QByteArray("<a x=\"" + text + "\"/>")}) {
                const auto [expat, fast] = readBoth(bytes);
                if (fast) {
                    ASSERT_EQ(XmlLogDifference(fast, expat), "") << bytes.toStdString();
                }
            }
        }
    }
}

TEST_F(XmlFastTokenizerTest, LeadBytesPastUnicodeAreRefused)
{
    // F5 to F7 would start characters above U+10FFFF; F8 and up start no UTF-8 at all.
    for (const char* text : {"<a>\xF5\x80\x80\x80</a>", "<a>\xF7\xBF\xBF\xBF</a>", "<a>\xF8\x88\x80\x80\x80</a>",
                             "<a x=\"\xF5\x80\x80\x80\"/>"}) {
        const auto [expat, fast] = readBoth(QByteArray(text));
        EXPECT_FALSE(expat.has_value()) << text;
        EXPECT_FALSE(fast.has_value()) << text;
    }
}

TEST_F(XmlFastTokenizerTest, AnElementWithMoreAttributesThanTheFastPathHoldsIsReadThroughTheGeneralOne)
{
    const auto element = [](int attributes) -> QByteArray {
        QByteArray tag = "<r><e";
        for (int i = 0; i < attributes; ++i)
            tag += " a" + QByteArray::number(i) + "=\"" + QByteArray::number(i * 7) + '"';
        return tag + "/>text</r>";
    };
    const auto [expat32, fast32] = readBoth(element(32));
    ASSERT_TRUE(expat32.has_value());
    EXPECT_EQ(XmlLogDifference(fast32, expat32), "");
    const auto [expat33, fast33] = readBoth(element(33));
    ASSERT_TRUE(expat33.has_value());
    EXPECT_TRUE(expat33->find("a32=[224]") != std::string::npos);
    EXPECT_FALSE(fast33.has_value());

    // A catalogue with such an element reads whole, its extra attributes ignored.
    const auto lists = sampleCatalogue();
    const QString catalogue = path("many.xkdx");
    TReelkeepXMLSerialiazerV2_1().Save(catalogue, *lists);
    QByteArray bytes = ReadWholeFile(catalogue);
    QByteArray extra;
    for (int i = 0; i < 40; ++i)
        extra += " x" + QByteArray::number(i) + "=\"" + QByteArray::number(i) + '"';
    const qsizetype item = bytes.indexOf("<Item ");
    ASSERT_GE(item, 0);
    bytes.insert(item + 5, extra);
    WriteTestFile(catalogue, bytes);
    TzkReelkeep doc;
    doc.LoadFromXML(catalogue);
    EXPECT_EQ(Describe(doc.Lists(), Detail::Everything), Describe(*lists, Detail::Everything));
}

} // namespace
} // namespace reelkeep::testing
