// The two export plug-ins the program ships, run through the pack on a catalogue
// text with Cyrillic titles and cells that need escaping; their output is parsed back.
#include "CodePage.h"
#include "TzkPluginsPack.h"

#include "../support/TestFiles.h"

#include <QTemporaryDir>
#include <QXmlStreamReader>

using namespace reelkeep;
using namespace reelkeep::test;

namespace {

struct TestList {
    QString name;
    std::vector<QStringList> rows;
};

QStringList cells(std::initializer_list<std::pair<int, const char*>> set)
{
    QStringList out(21, QString());
    for (const auto& [i, text] : set)
        out[i] = u(text);
    return out;
}

QStringList columns()
{
    QStringList out;
    for (int c = 0; c < 21; ++c)
        out << QStringLiteral("Колонка %1").arg(c);
    out[5] = u("Видео, звук");
    return out;
}

const std::vector<TestList> kLists = {
    {u("Фильмы"),
     {cells({{0, "1"}, {1, "Брат 2"}, {5, "DivX, 640x480"}, {7, "first line\r\nsecond line"}, {13, "He said \"hi\""},
             {14, "<b> & </b> 'x'"}, {20, "000000FF"}}),
      cells({{0, "2"}, {1, "Кин-дза-дза!"}, {20, "00FFFFFF"}})}},
    {u("Сериалы <2>"), {cells({{1, "Ёлки"}, {7, "\"quoted\", comma"}})}},
};

// The "kdx v1.3" text as the catalogue document writes it.
QByteArray kdxText()
{
    QByteArray out = "kdx v1.3\r\n" + QByteArray::number(static_cast<int>(kLists.size())) + "\r\n";
    auto line = [&out](QString text) {
        out += CodePage::Default().encode(text.replace(QStringLiteral("\r\n"), QStringLiteral("<br>"))) + "\r\n";
    };
    for (const TestList& list : kLists) {
        line(list.name);
        line(QString::number(list.rows.size()));
        for (const QString& column : columns())
            line(column);
        for (const QStringList& row : list.rows)
            for (const QString& cell : row)
                line(cell);
    }
    return out;
}

std::vector<QStringList> parseCsv(const QString& text)
{
    std::vector<QStringList> records(1);
    QString field;
    bool quoted = false, started = false;
    auto endField = [&] {
        records.back() << field;
        field.clear();
        started = false;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i], next = i + 1 < text.size() ? text[i + 1] : QChar();
        if (quoted && c == u'"' && next == u'"') {
            field += c;
            ++i;
        } else if (quoted) {
            quoted = c != u'"';
            if (quoted)
                field += c;
        } else if (c == u'"' && !started) {
            quoted = started = true;
        } else if (c == u',') {
            endField();
        } else if (c == u'\r' && next == u'\n') {
            endField();
            records.emplace_back();
            ++i;
        } else {
            EXPECT_TRUE(c != u'"' && c != u'\n') << "a quote or bare line feed outside quotes";
            field += c;
            started = true;
        }
    }
    EXPECT_TRUE(!quoted && records.back().isEmpty() && field.isEmpty()) << "the last record is not closed";
    records.pop_back();
    return records;
}

struct HtmlTable {
    QString caption;
    std::vector<QStringList> rows; // header row first
    QStringList rowStyles;
};

std::vector<HtmlTable> parseHtml(const QByteArray& bytes)
{
    std::vector<HtmlTable> tables;
    QXmlStreamReader xml(bytes);
    QString caption;
    QString* text = nullptr; // the caption or cell being read
    while (!xml.atEnd()) {
        xml.readNext();
        const QStringView name = xml.name();
        if (xml.isStartElement()) {
            if (name == u"h2") {
                caption.clear();
                text = &caption;
            } else if (name == u"table") {
                tables.push_back({caption, {}, {}});
            } else if (name == u"tr") {
                tables.back().rows.emplace_back();
                tables.back().rowStyles << xml.attributes().value(QLatin1String("style")).toString();
            } else if (name == u"td" || name == u"th") {
                text = &tables.back().rows.back().emplace_back();
            } else if (name == u"br" && text) {
                *text += QLatin1Char('\n');
            } else if (text) {
                ADD_FAILURE() << "markup inside a cell: " << name.toString().toStdString();
            }
        } else if (xml.isEndElement() && (name == u"h2" || name == u"td" || name == u"th")) {
            text = nullptr;
        } else if (xml.isCharacters() && text) {
            *text += xml.text();
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return tables;
}

class ShippedPluginsTest : public ::testing::Test {
protected:
    QTemporaryDir home;

    // The pack with both shipped plug-ins: CSV is export plug-in 1, HTML 2.
    TzkPluginsPack pack()
    {
        for (const char* plugin : {"CsvExport", "HtmlExport"}) {
            const QString file = u("/Plugins/") + u(plugin) + u(".kdp");
            WriteTestFile(home.path() + file, ReadTestFile(u(SHIPPED_KDP_DIR "/..") + file));
        }
        TzkPluginsPack pack(home.path());
        EXPECT_EQ(pack.Count, 2);
        return pack;
    }
    QByteArray exportWith(int plugin)
    {
        const QString out = home.filePath(u("Фильмы.out"));
        EXPECT_TRUE(pack().Export(plugin, out, kdxText()));
        return ReadTestFile(out);
    }
};

} // namespace

TEST_F(ShippedPluginsTest, CsvHoldsEveryRecordWithQuotingThatParsesBack)
{
    const QByteArray bytes = exportWith(1);
    ASSERT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    const std::vector<QStringList> records = parseCsv(QString::fromUtf8(bytes.mid(3)));
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(records[0], QStringList{u("List")} + columns());
    EXPECT_EQ(records[1], QStringList{kLists[0].name} + kLists[0].rows[0]);
    EXPECT_EQ(records[2], QStringList{kLists[0].name} + kLists[0].rows[1]);
    EXPECT_EQ(records[3], QStringList{kLists[1].name} + kLists[1].rows[0]);
    EXPECT_EQ(records[1][8], u("first line\r\nsecond line"));
}

TEST_F(ShippedPluginsTest, HtmlHasOneEscapedTablePerList)
{
    const QByteArray bytes = exportWith(2);
    ASSERT_TRUE(bytes.contains("<meta charset=\"utf-8\"/>"));
    const std::vector<HtmlTable> tables = parseHtml(bytes);
    ASSERT_EQ(tables.size(), 2u);
    for (size_t t = 0; t < 2; ++t) {
        EXPECT_EQ(tables[t].caption, kLists[t].name);
        ASSERT_EQ(tables[t].rows.size(), kLists[t].rows.size() + 1);
        EXPECT_EQ(tables[t].rows[0], columns().mid(0, 20));
        for (size_t r = 0; r < kLists[t].rows.size(); ++r)
            EXPECT_EQ(tables[t].rows[r + 1], kLists[t].rows[r].mid(0, 20).replaceInStrings(u("\r\n"), u("\n")));
    }
    // The row colour 00BBGGRR as an RGB background.
    EXPECT_EQ(tables[0].rowStyles, (QStringList{QString(), u("background-color:#ff0000"), u("background-color:#ffffff")}));
    EXPECT_EQ(tables[1].rowStyles[1], QString());
}

TEST_F(ShippedPluginsTest, DamagedTextWritesNothing)
{
    const TzkPluginsPack plugins = pack();
    const QByteArray whole = kdxText();
    for (const QByteArray& text : {whole.left(whole.size() - 40), QByteArray("kdx v1.3\r\n999999999\r\n"),
                                   QByteArray("kdx v2.1\r\n0\r\n"), QByteArray()}) {
        for (int n = 1; n <= 2; ++n) {
            const QString out = home.filePath(u("out"));
            EXPECT_TRUE(plugins.Export(n, out, text));
            EXPECT_FALSE(QFile::exists(out)) << n << " " << text.left(20).toStdString();
        }
    }
}
