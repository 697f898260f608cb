// Reading the XML catalogue: the parser's events build the lists as they come, so no
// document tree of a large catalogue is ever held.
#include "TReelkeepXMLSerialiazerV2_1.h"

#include "Base64Decoder.h"
#include "FileIO.h"
#include "IntegerText.h"
#include "LoadLimits.h"
#include "ReelkeepError.h"
#include "RowOrder.h"
#include "XmlFastTokenizer.h"
#include "XmlFileParser.h"

#include <QFile>
#include <cstring>
#include <limits>
#include <new>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace reelkeep {
namespace {

// Top-level rows of each list, counted on the raw bytes for the progress display
// before the parse; an estimate, since the parse alone knows the true tree. Only
// tags are looked at, found by their '<', so that the text between them (an
// image's base64 above all) is passed over at the speed of memchr.
std::vector<qint64> topLevelRowEstimates(QIODevice& device)
{
    constexpr std::string_view kList = "<List";
    constexpr std::string_view kItem = "<Item";
    constexpr std::string_view kTopLevel = "GroupID=\"-1\"";
    // A tag cut by the end of a block is read again with the next one; a longer
    // one is no tag this count cares about.
    constexpr qsizetype kMaxTag = 1 << 12;
    constexpr qsizetype kBlockSize = 1 << 20;
    std::vector<qint64> counts;
    QByteArray buffer(kMaxTag + kBlockSize, Qt::Uninitialized);
    qsizetype kept = 0;
    for (;;) {
        const qint64 read = device.read(buffer.data() + kept, kBlockSize);
        if (read <= 0)
            break;
        const char* const end = buffer.constData() + kept + read;
        const char* at = buffer.constData();
        kept = 0;
        while (const auto* open = static_cast<const char*>(std::memchr(at, '<', size_t(end - at)))) {
            const auto* close = static_cast<const char*>(std::memchr(open, '>', size_t(end - open)));
            if (!close) {
                if (end - open <= kMaxTag) {
                    kept = end - open;
                    std::memmove(buffer.data(), open, size_t(kept));
                }
                break;
            }
            const std::string_view tag(open, size_t(close - open));
            if (tag.starts_with(kList))
                counts.push_back(0);
            else if (tag.starts_with(kItem) && tag.find(kTopLevel) != std::string_view::npos && !counts.empty())
                ++counts.back();
            at = close + 1;
        }
    }
    device.seek(0);
    return counts;
}

const char* attributeValue(const char** attributes, const char* name)
{
    for (; *attributes; attributes += 2)
        if (std::strcmp(*attributes, name) == 0)
            return attributes[1];
    return nullptr;
}

// Builds the lists from the parser's events. Below the document element, elements
// are taken by their position, as the writer orders them, whatever their names.
class CatalogueBuilder : public XmlFileParser::Handler {
public:
    CatalogueBuilder(TZKLists& lists, const QString& fileName, const ProgressCallback& progress, std::vector<qint64> estimates)
        : m_lists(lists), m_fileName(fileName), m_progress(progress), m_estimates(std::move(estimates))
    {
    }

    // The parser that sends the events, asked for positions in messages.
    void SetParser(const XmlFileParser& parser) { m_parser = &parser; }

    void StartElement(const char* name, const char** attributes) override
    {
        Role role = Role::Ignored;
        switch (m_roles.empty() ? Role::Document : m_roles.back()) {
        case Role::Document:
            startCatalogue(name, attributes);
            role = Role::Catalogue;
            break;
        case Role::Catalogue:
            m_list = m_lists.AddList(0, text(attributes, "Name"));
            m_listChildren = 0;
            role = Role::List;
            break;
        case Role::List:
            if (m_listChildren == 0) {
                m_columns = 0;
                role = Role::Columns;
            } else if (m_listChildren == 1) {
                startItems();
                role = Role::Items;
            } else if (m_listChildren == 2) {
                startImages();
                role = Role::Images;
            }
            ++m_listChildren;
            break;
        case Role::Columns:
            if (m_columns < kStoredColumnCount)
                readColumn(name, attributes);
            ++m_columns;
            break;
        case Role::Items:
            startItem(name, attributes);
            role = Role::Item;
            break;
        case Role::Item:
            m_fieldIndex = integer(name, attributes, "N", std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::max());
            m_fieldText.clear();
            role = Role::Field;
            break;
        case Role::Images:
            startImage(name, attributes);
            role = Role::Image;
            break;
        case Role::Field:
            damaged(Message("XmlInsideField").arg(QString::fromUtf8(name)));
        case Role::Image:
            damaged(Message("XmlInsideImage").arg(QString::fromUtf8(name)));
        case Role::Ignored:
            break;
        }
        m_roles.push_back(role);
    }

    void EndElement() override
    {
        const Role role = m_roles.back();
        m_roles.pop_back();
        if (role == Role::Field && m_fieldIndex >= 0 && m_fieldIndex < kColumnCount)
            m_row->Fields[static_cast<size_t>(m_fieldIndex)] = std::exchange(m_fieldText, QString());
        else if (role == Role::Image)
            finishImage();
        else if (role == Role::Columns && m_columns < kStoredColumnCount)
            damaged(Message("XmlTooFewColumns").arg(m_list->Name).arg(m_columns).arg(kStoredColumnCount));
        else if (role == Role::List && m_listChildren < 2)
            damaged(Message(m_listChildren == 0 ? "XmlListNoColumns" : "XmlListNoItems").arg(m_list->Name));
    }

    void Characters(const char* text, int length) override
    {
        if (!m_roles.empty() && m_roles.back() == Role::Image) {
            imageText(text, length);
            return;
        }
        if (m_roles.empty() || m_roles.back() != Role::Field)
            return;
        // A field's text nearly always comes in one piece.
        if (m_fieldText.isEmpty())
            m_fieldText = QString::fromUtf8(text, length);
        else
            m_fieldText += QString::fromUtf8(text, length);
    }

private:
    // What an element stands for, known from its parent and its position there.
    enum class Role : std::uint8_t { Document, Catalogue, List, Columns, Items, Item, Field, Images, Image, Ignored };

    static constexpr QLatin1StringView kMajorVersion{"2"};

    void startCatalogue(const char* name, const char** attributes)
    {
        if (std::strcmp(name, "Reelkeep") != 0)
            throw FormatError(Message("XmlWrongDocumentElement").arg(m_fileName).arg(QString::fromUtf8(name)).arg(m_parser->Line()));
        // Another major version means another layout: refused whole, so that a save
        // cannot replace that file with what little would have been understood.
        const char* major = attributeValue(attributes, "MajorVersion");
        if (!major)
            throw FormatError(Message("XmlNoVersion").arg(m_fileName).arg(kMajorVersion));
        if (kMajorVersion != QLatin1StringView(major))
            throw FormatError(
                Message("XmlOtherVersion").arg(m_fileName).arg(QString::fromUtf8(major).left(40)).arg(kMajorVersion));
        m_lists.Autor = text(attributes, "Autor");
    }

    void readColumn(const char* name, const char** attributes)
    {
        TzkColumn& column = m_list->Column(m_columns);
        column.Name = text(attributes, "Name");
        column.Type = static_cast<std::uint8_t>(integer(name, attributes, "Type", 0, 255));
        if (attributeValue(attributes, "Width"))
            column.Width = static_cast<std::int32_t>(integer(name, attributes, "Width", std::numeric_limits<std::int32_t>::min(),
                                                             std::numeric_limits<std::int32_t>::max()));
        column.Pattern = text(attributes, "Pattern");
        column.NamesWithDot = boolean(name, attributes, "NamesWithDot");
        column.SecondNames = boolean(name, attributes, "SecondNames");
        if (const char* value = attributeValue(attributes, "LogicalValue"))
            column.LogicalValue = QString::fromUtf8(value);
    }

    void startItems()
    {
        const size_t listIndex = size_t(m_lists.Count() - 1);
        m_estimate = listIndex < m_estimates.size() ? m_estimates[listIndex] : 0;
        m_rowProgress.emplace(m_progress, m_estimate);
        m_topLevelRows = 0;
        m_tree.emplace(*m_list);
    }

    void startItem(const char* name, const char** attributes)
    {
        constexpr qint64 intMin = std::numeric_limits<std::int32_t>::min();
        constexpr qint64 intMax = std::numeric_limits<std::int32_t>::max();
        auto row = std::make_unique<TzkRow>();
        row->ID = static_cast<std::int32_t>(integer(name, attributes, "ID", intMin, intMax));
        const auto groupId = static_cast<std::int32_t>(integer(name, attributes, "GroupID", intMin, intMax));
        row->GroupID = groupId;
        const size_t topLevelBefore = m_list->Items().size();
        m_row = m_tree->Place(std::move(row), groupId);
        if (!m_row)
            damaged(Message("XmlNestedTooDeep").arg(kMaxRowNesting));
        if (m_list->Items().size() > topLevelBefore && ++m_topLevelRows <= m_estimate)
            m_rowProgress->rowRead(m_topLevelRows);
    }

    // Every record of the list is known by now: the images come after the items.
    void startImages()
    {
        m_rowIds.clear();
        m_imagesOfRow.clear();
        ForEachRowDepthFirst(*m_list, [this](const TzkRow& row) { m_rowIds.insert(row.ID); });
    }

    // An image belongs to a record of the list and comes as that record's next one,
    // as the writer orders them.
    void startImage(const char* name, const char** attributes)
    {
        constexpr qint64 intMin = std::numeric_limits<std::int32_t>::min();
        constexpr qint64 intMax = std::numeric_limits<std::int32_t>::max();
        m_imageOwner = static_cast<std::int32_t>(integer(name, attributes, "ID", intMin, intMax));
        const qint64 n = integer(name, attributes, "N", intMin, intMax);
        if (!m_rowIds.contains(m_imageOwner))
            damaged(Message("XmlImageOwnerMissing").arg(m_imageOwner).arg(m_list->Name));
        const int expected = m_imagesOfRow[m_imageOwner];
        if (n != expected)
            damaged(Message("XmlImageOutOfOrder").arg(n).arg(m_imageOwner).arg(expected));
        m_imageTextBytes = 0;
    }

    void imageText(const char* text, int length)
    {
        // Base64 takes 4 bytes for 3, and a little room is left for line breaks.
        constexpr qint64 kMaxText = (kMaxImageBytes + 2) / 3 * 4 * 5 / 4;
        if (m_imageTextBytes + length > kMaxText)
            damaged(Message("XmlImageTextTooLong")
                        .arg(m_imagesOfRow[m_imageOwner])
                        .arg(m_imageOwner)
                        .arg(kMaxText)
                        .arg(kMaxImageBytes >> 20));
        if (m_imageTextBytes == 0)
            m_image.Reset(length); // nearly always the whole text
        m_imageTextBytes += length;
        if (!m_image.Feed(QByteArrayView(text, length)))
            notBase64();
    }

    [[noreturn]] void notBase64() const
    {
        damaged(Message("XmlImageNotBase64").arg(m_imagesOfRow.at(m_imageOwner)).arg(m_imageOwner));
    }

    void finishImage()
    {
        if (m_imageTextBytes == 0)
            m_image.Reset();
        if (!m_image.Finish())
            notBase64();
        int& count = m_imagesOfRow[m_imageOwner];
        if (m_image.DecodedSize() > kMaxImageBytes)
            damaged(Message("ImageOfRecordIs").arg(count).arg(m_imageOwner).arg(ImageOverLimit(m_image.DecodedSize())));
        m_list->Images.AddImage(m_image.Take(), m_imageOwner);
        ++count;
    }

    QString text(const char** attributes, const char* name) const
    {
        const char* value = attributeValue(attributes, name);
        return value ? QString::fromUtf8(value) : QString();
    }

    qint64 integer(const char* element, const char** attributes, const char* name, qint64 min, qint64 max) const
    {
        const char* text = attributeValue(attributes, name);
        if (!text)
            notNumber(Message("XmlNoAttribute").arg(QString::fromUtf8(element)).arg(QString::fromLatin1(name)));
        const std::optional<qint64> value = ParseInteger(QByteArrayView(text).trimmed(), min, max);
        if (!value)
            notNumber(Message("XmlNotValidAttribute").arg(QString::fromUtf8(text)).arg(QString::fromLatin1(name)));
        return *value;
    }

    // What the writer produces ("true"/"false"), those words in any case, or an
    // integer where non-zero is true.
    bool boolean(const char* element, const char** attributes, const char* name) const
    {
        const char* text = attributeValue(attributes, name);
        if (!text)
            notNumber(Message("XmlNoAttribute").arg(QString::fromUtf8(element)).arg(QString::fromLatin1(name)));
        const QByteArrayView word = QByteArrayView(text).trimmed();
        if (word.compare("true", Qt::CaseInsensitive) == 0)
            return true;
        if (word.compare("false", Qt::CaseInsensitive) == 0)
            return false;
        const std::optional<qint64> value =
            ParseInteger(word, std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::max());
        if (!value)
            notNumber(Message("XmlNotValidAttribute").arg(QString::fromUtf8(text)).arg(QString::fromLatin1(name)));
        return *value != 0;
    }

    [[noreturn]] void damaged(const Message& what) const
    {
        throw FormatError(Message("XmlDamagedAt")
                              .arg(m_fileName)
                              .arg(m_parser->Line())
                              .arg(m_parser->Column())
                              .arg(what));
    }

    [[noreturn]] void notNumber(const Message& what) const
    {
        throw ConversionError(Message("XmlDamagedAtLine")
                                  .arg(m_fileName)
                                  .arg(m_parser->Line())
                                  .arg(what));
    }

    TZKLists& m_lists;
    const QString& m_fileName;
    const ProgressCallback& m_progress;
    const std::vector<qint64> m_estimates;
    const XmlFileParser* m_parser = nullptr;

    std::vector<Role> m_roles;
    TZKList* m_list = nullptr;
    int m_listChildren = 0;
    int m_columns = 0;
    std::optional<FlatRowTree> m_tree;
    std::optional<RowProgress> m_rowProgress;
    qint64 m_estimate = 0;
    qint64 m_topLevelRows = 0;
    TzkRow* m_row = nullptr;
    qint64 m_fieldIndex = 0;
    QString m_fieldText;
    std::unordered_set<std::int32_t> m_rowIds;
    std::unordered_map<std::int32_t, int> m_imagesOfRow; // images read so far of each record
    std::int32_t m_imageOwner = 0;
    Base64Decoder m_image; // the image being read
    qint64 m_imageTextBytes = 0;
};

} // namespace

std::unique_ptr<TZKLists> TReelkeepXMLSerialiazerV2_1::Load(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw FileError(Message("CannotOpen").arg(fileName).arg(DeviceReason(file.errorString())));
    try {
        const std::vector<qint64> estimates = OnProgress ? topLevelRowEstimates(file) : std::vector<qint64>();
        const auto read = [&](XmlFileParser::Tokenizer tokenizer) {
            auto lists = NewLists();
            CatalogueBuilder builder(*lists, fileName, OnProgress, estimates);
            XmlFileParser parser(fileName, builder);
            builder.SetParser(parser);
            parser.Parse(file, tokenizer);
            return lists;
        };
        try {
            return read(XmlFileParser::Tokenizer::Fast);
        } catch (const XmlFastPathDeclined&) {
            // What the fast tokenizer is not sure of, the general parser reads anew.
            if (!file.seek(0))
                throw CannotRead(fileName, file.errorString());
        }
        return read(XmlFileParser::Tokenizer::General);
    } catch (const std::bad_alloc&) {
        // What was read is freed by now, so the message itself can be made.
        throw ReelkeepError(Message("NoMemoryToRead").arg(fileName));
    }
}

} // namespace reelkeep
