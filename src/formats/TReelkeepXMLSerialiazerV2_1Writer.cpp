// Writing the XML catalogue: UTF-8, one element per line indented by tabs, made
// directly into large blocks that go to the file as they fill.
#include "TReelkeepXMLSerialiazerV2_1.h"

#include "FileIO.h"
#include "ReelkeepError.h"
#include "RowOrder.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace reelkeep {
namespace {

class CatalogueWriter {
public:
    CatalogueWriter(AtomicFile& file, const QString& fileName) : m_file(file), m_fileName(fileName) {}

    void Write(const TZKLists& lists)
    {
        m_out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
        open("Reelkeep");
        m_out += " MajorVersion=\"2\" MinorVersion=\"1\"";
        attribute("Autor", lists.Autor, [] { return Message("XmlPlaceAuthor"); });
        for (const auto& list : lists.Lists)
            writeList(*list);
        close("Reelkeep");
        m_out += '\n';
        m_file.write(m_out);
    }

private:
    static constexpr qsizetype kBlockSize = 1 << 20;

    // "<name" on a line of its own; the start tag is finished by the next element,
    // text or end tag, so that an element without content can end as "/>".
    void open(const char* name)
    {
        finishStartTag();
        m_out += '\n';
        m_out.append(m_depth, '\t');
        m_out += '<';
        m_out += name;
        m_startTagOpen = true;
        m_hasChildren = false;
        ++m_depth;
    }

    void close(const char* name)
    {
        --m_depth;
        if (m_startTagOpen) {
            m_out += "/>";
            m_startTagOpen = false;
        } else {
            if (m_hasChildren) {
                m_out += '\n';
                m_out.append(m_depth, '\t');
            }
            m_out += "</";
            m_out += name;
            m_out += '>';
        }
        m_hasChildren = true;
        flushWhenFull();
    }

    void flushWhenFull()
    {
        if (m_out.size() >= kBlockSize) {
            m_file.write(m_out);
            m_out.clear();
        }
    }

    void finishStartTag()
    {
        if (m_startTagOpen)
            m_out += '>';
        m_startTagOpen = false;
    }

    void number(const char* name, qint64 value)
    {
        m_out += ' ';
        m_out += name;
        m_out += "=\"";
        m_out += QByteArray::number(value);
        m_out += '"';
    }

    void boolean(const char* name, bool value)
    {
        m_out += ' ';
        m_out += name;
        m_out += value ? "=\"true\"" : "=\"false\"";
    }

    template <typename Where>
    void attribute(const char* name, QStringView value, Where&& where)
    {
        m_out += ' ';
        m_out += name;
        m_out += "=\"";
        escaped(value, true, where);
        m_out += '"';
    }

    // The element's text; a line break stays as it is, except CR, which a parser
    // would turn into LF and so goes as a character reference.
    template <typename Where>
    void text(QStringView value, Where&& where)
    {
        finishStartTag();
        escaped(value, false, where);
        m_hasChildren = false;
    }

    // Appends the text as UTF-8 with markup escaped, a slice at a time so that a huge
    // cell never needs a huge buffer. Characters XML 1.0 cannot carry at all (control
    // characters, lone surrogates) stop the save, saying where, rather than make a
    // file that cannot be read back.
    template <typename Where>
    void escaped(QStringView value, bool inAttribute, Where&& where)
    {
        constexpr qsizetype kSlice = 1 << 16;
        while (!value.isEmpty()) {
            qsizetype length = std::min(value.size(), kSlice);
            if (length < value.size() && QChar::isHighSurrogate(value[length - 1].unicode()))
                ++length; // a surrogate pair stays in one slice
            escapedSlice(value.first(length), inAttribute, where);
            value = value.sliced(length);
        }
    }

    template <typename Where>
    void escapedSlice(QStringView value, bool inAttribute, Where&& where)
    {
        const qsizetype start = m_out.size();
        m_out.resize(start + value.size() * 6); // the longest form of one UTF-16 unit: "&quot;"
        char* out = m_out.data() + start;
        const auto put = [&out](const char* s) {
            while (*s)
                *out++ = *s++;
        };
        const char16_t* chars = value.utf16();
        for (qsizetype i = 0; i < value.size(); ++i) {
            const char16_t c = chars[i];
            if (c >= 0x80) {
                if (c < 0x800) {
                    *out++ = char(0xC0 | (c >> 6));
                    *out++ = char(0x80 | (c & 0x3F));
                } else if (QChar::isHighSurrogate(c) && i + 1 < value.size() && QChar::isLowSurrogate(chars[i + 1])) {
                    const char32_t u = QChar::surrogateToUcs4(c, chars[++i]);
                    *out++ = char(0xF0 | (u >> 18));
                    *out++ = char(0x80 | ((u >> 12) & 0x3F));
                    *out++ = char(0x80 | ((u >> 6) & 0x3F));
                    *out++ = char(0x80 | (u & 0x3F));
                } else if (QChar::isSurrogate(c) || c >= 0xFFFE) {
                    refuse(c, where());
                } else {
                    *out++ = char(0xE0 | (c >> 12));
                    *out++ = char(0x80 | ((c >> 6) & 0x3F));
                    *out++ = char(0x80 | (c & 0x3F));
                }
                continue;
            }
            switch (c) {
            case u'<': put("&lt;"); break;
            case u'>': put("&gt;"); break;
            case u'&': put("&amp;"); break;
            case u'"': put("&quot;"); break;
            case u'\r': put("&#13;"); break;
            case u'\n': inAttribute ? put("&#10;") : void(*out++ = '\n'); break;
            case u'\t': inAttribute ? put("&#9;") : void(*out++ = '\t'); break;
            default:
                if (c < 0x20)
                    refuse(c, where());
                *out++ = char(c);
            }
        }
        m_out.truncate(out - m_out.constData());
        flushWhenFull();
    }

    [[noreturn]] void refuse(char16_t c, const Message& where) const
    {
        throw FormatError(Message("XmlCannotStoreCharacter")
                              .arg(m_fileName)
                              .arg(where)
                              .arg(QString::number(c, 16).toUpper().rightJustified(4, u'0')));
    }

    void writeList(const TZKList& list)
    {
        open("List");
        attribute("Name", list.Name, [] { return Message("XmlPlaceListName"); });
        open("Columns");
        for (int k = 0; k < kStoredColumnCount; ++k) {
            const TzkColumn& column = list.Column(k);
            const auto where = [k, &list] { return Message("XmlPlaceColumn").arg(k).arg(list.Name); };
            open("Column");
            attribute("Name", column.Name, where);
            number("Width", column.Width);
            number("Type", column.Type);
            attribute("Pattern", column.Pattern, where);
            boolean("NamesWithDot", column.NamesWithDot);
            boolean("SecondNames", column.SecondNames);
            attribute("LogicalValue", column.LogicalValue, where);
            close("Column");
        }
        close("Columns");
        open("Items");
        ForEachRowDepthFirst(list, [this, &list](const TzkRow& row) { writeItem(list, row); });
        close("Items");
        if (list.Images.Count() > 0)
            writeImages(list);
        close("List");
    }

    // The third child of the list, after the two every reader takes: one element per
    // image of a record that exists, in the pack's order, N counting that record's
    // images; the stored bytes in base64.
    void writeImages(const TZKList& list)
    {
        std::unordered_set<std::int32_t> rowIds;
        ForEachRowDepthFirst(list, [&rowIds](const TzkRow& row) { rowIds.insert(row.ID); });
        std::unordered_map<std::int32_t, int> imagesOfRow;
        const TImagePack& images = list.Images;
        open("Images");
        for (size_t i = 0; i < images.Images.size(); ++i) {
            const std::int32_t owner = images.OwnerIDs[i];
            if (!rowIds.contains(owner))
                continue;
            open("Image");
            number("ID", owner);
            number("N", imagesOfRow[owner]++);
            finishStartTag();
            m_out += images.Images[i].toBase64();
            m_hasChildren = false;
            close("Image");
        }
        close("Images");
    }

    void writeItem(const TZKList& list, const TzkRow& row)
    {
        open("Item");
        number("ID", row.ID);
        number("GroupID", row.GroupID);
        for (int n = 0; n < kStoredColumnCount; ++n) {
            const QString& cell = row.Fields[static_cast<size_t>(n)];
            if (cell.isEmpty())
                continue;
            open("Field");
            number("N", n);
            text(cell, [&] { return Message("XmlPlaceCell").arg(n).arg(row.ID).arg(list.Name); });
            close("Field");
        }
        close("Item");
    }

    AtomicFile& m_file;
    const QString& m_fileName;
    QByteArray m_out;
    int m_depth = 0;
    bool m_startTagOpen = false;
    bool m_hasChildren = false; // whether the element being closed holds elements
};

} // namespace

void TReelkeepXMLSerialiazerV2_1::Save(const QString& fileName, const TZKLists& lists)
{
    AtomicFile file(fileName);
    CatalogueWriter(file, fileName).Write(lists);
    file.commit();
}

} // namespace reelkeep
