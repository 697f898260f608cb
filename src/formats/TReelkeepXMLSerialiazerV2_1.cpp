#include "TReelkeepXMLSerialiazerV2_1.h"

#include "CodePage.h"
#include "FileIO.h"
#include "ReelkeepError.h"
#include "RowOrder.h"

#include <QBuffer>
#include <QByteArrayMatcher>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <limits>

namespace reelkeep {
namespace {

// ---- writing ----

bool isXmlChar(char16_t c)
{
    return c == u'\t' || c == u'\n' || c == u'\r' || (c >= 0x20 && c < 0xFFFE);
}

// Characters XML 1.0 cannot carry at all (control characters, lone surrogates):
// rather than write a file that cannot be read back, the save stops and says where.
template <typename Where>
void checkXmlText(QStringView text, const QString& fileName, Where&& where)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        bool ok = isXmlChar(c.unicode());
        if (c.isHighSurrogate())
            ok = i + 1 < text.size() && text[i + 1].isLowSurrogate() && (++i, true);
        else if (c.isLowSurrogate())
            ok = false;
        if (!ok)
            throw FormatError(QStringLiteral("Cannot save \"%1\" as XML: %2 holds the character U+%3, which XML "
                                             "cannot store.")
                                  .arg(fileName, where(), QString::number(c.unicode(), 16).toUpper().rightJustified(4, u'0')));
    }
}

// Collects the writer's many small pieces and hands them to the file in large
// blocks, which is much cheaper than one device write per piece.
class BlockWriter : public QIODevice {
public:
    explicit BlockWriter(AtomicFile& file) : m_file(file) { open(QIODevice::WriteOnly | QIODevice::Unbuffered); }

    void flush()
    {
        m_file.write(m_block);
        m_block.clear();
    }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override
    {
        m_block.append(data, size);
        if (m_block.size() >= kBlockSize)
            flush();
        return size;
    }

private:
    static constexpr qsizetype kBlockSize = 1 << 20;
    AtomicFile& m_file;
    QByteArray m_block;
};

class CatalogueWriter {
public:
    CatalogueWriter(QIODevice& device, const QString& fileName) : m_xml(&device), m_fileName(fileName)
    {
        m_xml.setAutoFormatting(true);
        m_xml.setAutoFormattingIndent(-1); // one tab per level: a smaller file, read faster
    }

    void write(const TZKLists& lists)
    {
        m_xml.writeStartDocument(QStringLiteral("1.0"));
        m_xml.writeStartElement(QStringLiteral("Reelkeep"));
        m_xml.writeAttribute(QStringLiteral("MajorVersion"), QStringLiteral("2"));
        m_xml.writeAttribute(QStringLiteral("MinorVersion"), QStringLiteral("1"));
        attribute(QStringLiteral("Autor"), lists.Autor, [] { return QStringLiteral("the author"); });
        for (const auto& list : lists.Lists)
            writeList(*list);
        m_xml.writeEndDocument();
        if (m_xml.hasError())
            throw FileError(QStringLiteral("Cannot write file \"%1\".").arg(m_fileName));
    }

private:
    template <typename Where>
    void attribute(const QString& name, const QString& value, Where&& where)
    {
        checkXmlText(value, m_fileName, where);
        m_xml.writeAttribute(name, value);
    }

    void writeList(const TZKList& list)
    {
        m_xml.writeStartElement(QStringLiteral("List"));
        attribute(QStringLiteral("Name"), list.Name, [] { return QStringLiteral("a list name"); });
        m_xml.writeStartElement(QStringLiteral("Columns"));
        for (int k = 0; k < kStoredColumnCount; ++k) {
            const TzkColumn& column = list.Column(k);
            const auto where = [k, &list] { return QStringLiteral("column %1 of list \"%2\"").arg(k).arg(list.Name); };
            m_xml.writeStartElement(QStringLiteral("Column"));
            attribute(QStringLiteral("Name"), column.Name, where);
            m_xml.writeAttribute(QStringLiteral("Width"), QString::number(column.Width));
            m_xml.writeAttribute(QStringLiteral("Type"), QString::number(column.Type));
            attribute(QStringLiteral("Pattern"), column.Pattern, where);
            m_xml.writeAttribute(QStringLiteral("NamesWithDot"), boolText(column.NamesWithDot));
            m_xml.writeAttribute(QStringLiteral("SecondNames"), boolText(column.SecondNames));
            attribute(QStringLiteral("LogicalValue"), column.LogicalValue, where);
            m_xml.writeEndElement();
        }
        m_xml.writeEndElement();
        m_xml.writeStartElement(QStringLiteral("Items"));
        ForEachRowDepthFirst(list, [this, &list](const TzkRow& row) { writeItem(list, row); });
        m_xml.writeEndElement();
        m_xml.writeEndElement();
    }

    void writeItem(const TZKList& list, const TzkRow& row)
    {
        m_xml.writeStartElement(QStringLiteral("Item"));
        m_xml.writeAttribute(QStringLiteral("ID"), QString::number(row.ID));
        m_xml.writeAttribute(QStringLiteral("GroupID"), QString::number(row.GroupID));
        for (int n = 0; n < kStoredColumnCount; ++n) {
            const QString& text = row.Fields[static_cast<size_t>(n)];
            if (text.isEmpty())
                continue;
            m_xml.writeStartElement(QStringLiteral("Field"));
            m_xml.writeAttribute(QStringLiteral("N"), QString::number(n));
            writeCellText(text, list, row, n);
            m_xml.writeEndElement();
        }
        m_xml.writeEndElement();
    }

    // A parser turns every CR and CR LF of element text into LF; a character
    // reference for CR keeps the cell's line breaks exactly as they are.
    void writeCellText(const QString& text, const TZKList& list, const TzkRow& row, int n)
    {
        checkXmlText(text, m_fileName, [&] {
            return QStringLiteral("cell %1 of record %2 in list \"%3\"").arg(n).arg(row.ID).arg(list.Name);
        });
        qsizetype from = 0;
        for (qsizetype cr = text.indexOf(u'\r'); cr >= 0; cr = text.indexOf(u'\r', from)) {
            if (cr > from)
                m_xml.writeCharacters(text.mid(from, cr - from));
            m_xml.writeEntityReference(QStringLiteral("#13"));
            from = cr + 1;
        }
        if (from < text.size())
            m_xml.writeCharacters(from == 0 ? text : text.mid(from));
    }

    static QString boolText(bool value) { return value ? QStringLiteral("true") : QStringLiteral("false"); }

    QXmlStreamWriter m_xml;
    const QString& m_fileName;
};

// ---- reading ----

// The encoding the declaration at the head of the file names, when this Qt build
// cannot decode it but our own code page can (windows-1251 without ICU): such a
// file is decoded here and handed to the parser as UTF-8. Otherwise the parser
// reads the file itself and decodes whatever the declaration names.
std::optional<CodePage> codePageToDecode(const QByteArray& head)
{
    if (!head.startsWith("<?xml"))
        return std::nullopt;
    const qsizetype end = head.indexOf("?>");
    if (end < 0)
        return std::nullopt;
    static const QRegularExpression encodingRe(QStringLiteral("encoding\\s*=\\s*[\"']([A-Za-z0-9._-]+)[\"']"));
    const QRegularExpressionMatch match = encodingRe.match(QString::fromLatin1(head.left(end)));
    if (!match.hasMatch())
        return std::nullopt;
    const QByteArray name = match.captured(1).toLatin1();
    if (QStringDecoder(name.constData()).isValid())
        return std::nullopt;
    try {
        return CodePage(name);
    } catch (const ReelkeepError&) {
        return std::nullopt; // the parser reports the unknown encoding itself
    }
}

QByteArray decodedAsUtf8(const QByteArray& bytes, const CodePage& page)
{
    static const QRegularExpression encodingRe(QStringLiteral("encoding\\s*=\\s*[\"']([A-Za-z0-9._-]+)[\"']"));
    QString text = page.decode(bytes);
    const QRegularExpressionMatch match = encodingRe.match(text);
    text.replace(match.capturedStart(1), match.capturedLength(1), QStringLiteral("UTF-8"));
    return text.toUtf8();
}

// Top-level rows of each list, counted on the raw bytes for the progress display
// before the parse; an estimate, since the parse alone knows the true tree.
std::vector<qint64> topLevelRowEstimates(QIODevice& device)
{
    static const QByteArray listTag = QByteArrayLiteral("<List");
    static const QByteArray topLevel = QByteArrayLiteral("GroupID=\"-1\"");
    static const QByteArrayMatcher listMatcher(listTag);
    static const QByteArrayMatcher topMatcher(topLevel);
    std::vector<qint64> counts;
    // Each block starts with the tail of the one before, so no match is cut in two;
    // a match lying wholly in that tail was counted with the block before.
    const qsizetype overlap = topLevel.size() - 1;
    QByteArray tail;
    for (;;) {
        const QByteArray more = device.read(1 << 20);
        if (more.isEmpty())
            break;
        const QByteArray block = tail + more;
        const auto next = [&block, fresh = tail.size()](const QByteArrayMatcher& matcher, qsizetype length, qsizetype from) {
            qsizetype at = matcher.indexIn(block, from);
            while (at >= 0 && at + length <= fresh)
                at = matcher.indexIn(block, at + 1);
            return at;
        };
        qsizetype list = next(listMatcher, listTag.size(), 0);
        qsizetype top = next(topMatcher, topLevel.size(), 0);
        while (list >= 0 || top >= 0) {
            if (list >= 0 && (top < 0 || list < top)) {
                counts.push_back(0);
                list = next(listMatcher, listTag.size(), list + 1);
            } else {
                if (!counts.empty())
                    ++counts.back();
                top = next(topMatcher, topLevel.size(), top + 1);
            }
        }
        tail = block.right(overlap);
    }
    device.seek(0);
    return counts;
}

class CatalogueReader {
public:
    template <typename Input>
    CatalogueReader(Input input, const QString& fileName, const ProgressCallback& progress, std::vector<qint64> estimates)
        : m_xml(input), m_fileName(fileName), m_progress(progress), m_estimates(std::move(estimates))
    {
    }

    void read(TZKLists& lists)
    {
        if (!m_xml.readNextStartElement())
            fail(QStringLiteral("the file holds no XML element"));
        if (m_xml.name() != u"Reelkeep")
            fail(QStringLiteral("the document element is <%1>, not <Reelkeep>").arg(m_xml.name()));
        const QXmlStreamAttributes attributes = m_xml.attributes();
        if (attributes.value(QLatin1String("MajorVersion")) != u"2")
            return; // a catalogue of another major version: nothing we can read
        lists.Autor = attributes.value(QLatin1String("Autor")).toString();
        while (nextChild())
            readList(lists);
        while (!m_xml.atEnd())
            m_xml.readNext();
        if (m_xml.hasError())
            fail(m_xml.errorString());
    }

private:
    [[noreturn]] void fail(const QString& what) const
    {
        throw FormatError(QStringLiteral("Cannot read the XML catalogue \"%1\": line %2, column %3: %4")
                              .arg(m_fileName)
                              .arg(m_xml.lineNumber())
                              .arg(m_xml.columnNumber())
                              .arg(what));
    }

    [[noreturn]] void failConversion(const QString& what) const
    {
        throw ConversionError(QStringLiteral("Cannot read the XML catalogue \"%1\": line %2: %3")
                                  .arg(m_fileName)
                                  .arg(m_xml.lineNumber())
                                  .arg(what));
    }

    // The next child element of the current element; false at its end tag.
    bool nextChild()
    {
        if (m_xml.readNextStartElement())
            return true;
        if (m_xml.hasError())
            fail(m_xml.errorString());
        return false;
    }

    void skipElement()
    {
        m_xml.skipCurrentElement();
        if (m_xml.hasError())
            fail(m_xml.errorString());
    }

    qint64 integer(const QXmlStreamAttributes& attributes, QLatin1String name, qint64 min, qint64 max) const
    {
        if (!attributes.hasAttribute(name))
            failConversion(QStringLiteral("<%1> has no %2 attribute").arg(m_xml.name(), name));
        bool ok = false;
        const qint64 value = attributes.value(name).trimmed().toLongLong(&ok);
        if (!ok || value < min || value > max)
            failConversion(QStringLiteral("\"%1\" is not a valid %2").arg(attributes.value(name), name));
        return value;
    }

    // What the writer produces ("true"/"false"), those words in any case, or an
    // integer where non-zero is true.
    bool boolean(const QXmlStreamAttributes& attributes, QLatin1String name) const
    {
        if (!attributes.hasAttribute(name))
            failConversion(QStringLiteral("<%1> has no %2 attribute").arg(m_xml.name(), name));
        const QStringView text = attributes.value(name).trimmed();
        if (text.compare(u"true", Qt::CaseInsensitive) == 0)
            return true;
        if (text.compare(u"false", Qt::CaseInsensitive) == 0)
            return false;
        bool ok = false;
        const qint64 value = text.toLongLong(&ok);
        if (!ok)
            failConversion(QStringLiteral("\"%1\" is not a valid %2").arg(text, name));
        return value != 0;
    }

    void readList(TZKLists& lists)
    {
        TZKList& list = *lists.AddList(0, m_xml.attributes().value(QLatin1String("Name")).toString());
        if (!nextChild())
            fail(QStringLiteral("list \"%1\" has no columns").arg(list.Name));
        readColumns(list);
        if (!nextChild())
            fail(QStringLiteral("list \"%1\" has no items").arg(list.Name));
        readItems(list, lists.Count() - 1);
        while (nextChild())
            skipElement();
    }

    void readColumns(TZKList& list)
    {
        int k = 0;
        for (; nextChild(); ++k) {
            if (k < kStoredColumnCount) {
                const QXmlStreamAttributes attributes = m_xml.attributes();
                TzkColumn& column = list.Column(k);
                column.Name = attributes.value(QLatin1String("Name")).toString();
                column.Type = static_cast<std::uint8_t>(integer(attributes, QLatin1String("Type"), 0, 255));
                if (attributes.hasAttribute(QLatin1String("Width")))
                    column.Width = static_cast<std::int32_t>(integer(attributes, QLatin1String("Width"), std::numeric_limits<std::int32_t>::min(),
                                                                     std::numeric_limits<std::int32_t>::max()));
                column.Pattern = attributes.value(QLatin1String("Pattern")).toString();
                column.NamesWithDot = boolean(attributes, QLatin1String("NamesWithDot"));
                column.SecondNames = boolean(attributes, QLatin1String("SecondNames"));
                if (attributes.hasAttribute(QLatin1String("LogicalValue")))
                    column.LogicalValue = attributes.value(QLatin1String("LogicalValue")).toString();
            }
            skipElement();
        }
        if (k < kStoredColumnCount)
            fail(QStringLiteral("list \"%1\" has %2 columns instead of %3").arg(list.Name).arg(k).arg(kStoredColumnCount));
    }

    void readItems(TZKList& list, int listIndex)
    {
        constexpr qint64 intMin = std::numeric_limits<std::int32_t>::min();
        constexpr qint64 intMax = std::numeric_limits<std::int32_t>::max();
        const qint64 estimate = listIndex < static_cast<int>(m_estimates.size()) ? m_estimates[size_t(listIndex)] : 0;
        const RowProgress progress(m_progress, estimate);
        qint64 topLevel = 0;
        struct Placed {
            TzkRow* row;
            int depth;
        };
        QHash<std::int32_t, Placed> byId; // first row of each ID, as a search from the top finds it
        while (nextChild()) {
            const QXmlStreamAttributes attributes = m_xml.attributes();
            auto row = std::make_unique<TzkRow>();
            row->ID = static_cast<std::int32_t>(integer(attributes, QLatin1String("ID"), intMin, intMax));
            row->GroupID = static_cast<std::int32_t>(integer(attributes, QLatin1String("GroupID"), intMin, intMax));
            Placed parent{nullptr, 0};
            if (row->GroupID != -1)
                parent = byId.value(row->GroupID, Placed{nullptr, 0});
            if (parent.depth >= kMaxRowNesting)
                fail(QStringLiteral("records are nested more than %1 levels deep").arg(kMaxRowNesting));
            readFields(*row);
            TzkRow* placed = list.InsertRow(std::move(row), parent.row);
            if (placed->ID != -1)
                byId.emplace(placed->ID, Placed{placed, parent.depth + 1});
            if (!parent.row && ++topLevel <= estimate)
                progress.rowRead(topLevel);
        }
    }

    void readFields(TzkRow& row)
    {
        while (nextChild()) {
            const qint64 n = integer(m_xml.attributes(), QLatin1String("N"), std::numeric_limits<qint64>::min(),
                                     std::numeric_limits<qint64>::max());
            QString text = fieldText();
            if (n >= 0 && n < kColumnCount)
                row.Fields[static_cast<size_t>(n)] = std::move(text);
        }
    }

    // The text of the current element, which holds no elements. A field's text is
    // nearly always one token, taken without the appending readElementText does.
    QString fieldText()
    {
        QString text;
        for (;;) {
            switch (m_xml.readNext()) {
            case QXmlStreamReader::Characters:
            case QXmlStreamReader::EntityReference:
                if (text.isEmpty())
                    text = m_xml.text().toString();
                else
                    text += m_xml.text();
                break;
            case QXmlStreamReader::EndElement:
                return text;
            case QXmlStreamReader::StartElement:
                fail(QStringLiteral("<%1> inside a field").arg(m_xml.name()));
            case QXmlStreamReader::Comment:
            case QXmlStreamReader::ProcessingInstruction:
                break;
            default:
                fail(m_xml.hasError() ? m_xml.errorString() : QStringLiteral("unexpected end of a field"));
            }
        }
    }

    QXmlStreamReader m_xml;
    const QString& m_fileName;
    const ProgressCallback& m_progress;
    std::vector<qint64> m_estimates;
};

} // namespace

std::unique_ptr<TZKLists> TReelkeepXMLSerialiazerV2_1::Load(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw FileError(QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, file.errorString()));
    auto lists = NewLists();
    if (const auto page = codePageToDecode(file.peek(512))) {
        const QByteArray bytes = decodedAsUtf8(ReadWholeFile(fileName), *page);
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        std::vector<qint64> estimates = OnProgress ? topLevelRowEstimates(buffer) : std::vector<qint64>();
        CatalogueReader(bytes, fileName, OnProgress, std::move(estimates)).read(*lists);
    } else {
        std::vector<qint64> estimates = OnProgress ? topLevelRowEstimates(file) : std::vector<qint64>();
        CatalogueReader(&file, fileName, OnProgress, std::move(estimates)).read(*lists);
    }
    if (file.error() != QFileDevice::NoError)
        throw FileError(QStringLiteral("Cannot read file \"%1\". %2").arg(fileName, file.errorString()));
    return lists;
}

void TReelkeepXMLSerialiazerV2_1::Save(const QString& fileName, const TZKLists& lists)
{
    AtomicFile file(fileName);
    BlockWriter blocks(file);
    CatalogueWriter(blocks, fileName).write(lists);
    blocks.flush();
    file.commit();
}

} // namespace reelkeep
