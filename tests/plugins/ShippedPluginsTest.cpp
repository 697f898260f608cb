// The two export plug-ins the program ships, run through the pack on a catalogue
// text with Cyrillic titles and cells that need escaping; their output is parsed back.
#include "CodePage.h"
#include "TzkPluginsPack.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

using namespace reelkeep;

namespace {

QString u(const char* text)
{
    return QString::fromUtf8(text);
}

struct TestList {
    QString name;
    QStringList columns;
    std::vector<QStringList> rows;
};

QStringList cells(std::initializer_list<std::pair<int, const char*>> set, int count = 21)
{
    QStringList out(count, QString());
    for (const auto& [i, text] : set)
        out[i] = u(text);
    return out;
}

std::vector<TestList> catalogue()
{
    QStringList columns;
    for (int c = 0; c < 21; ++c)
        columns << QStringLiteral("Колонка %1").arg(c);
    columns[1] = u("Название");
    columns[5] = u("Видео, звук");
    return {
        {u("Фильмы"), columns,
         {cells({{0, "1"}, {1, "Брат 2"}, {5, "DivX, 640x480"}, {7, "first line\r\nsecond line"},
                 {13, "He said \"hi\""}, {14, "<b> & </b> 'x'"}, {20, "000000FF"}}),
          cells({{0, "2"}, {1, "Кин-дза-дза!"}, {20, "00FFFFFF"}})}},
        {u("Сериалы <2>"), columns, {cells({{1, "Ёлки"}, {7, "\"quoted\", comma"}})}},
    };
}

// The "kdx v1.3" text as the catalogue document writes it.
QByteArray kdxText(const std::vector<TestList>& lists)
{
    QByteArray out = "kdx v1.3\r\n" + QByteArray::number(static_cast<int>(lists.size())) + "\r\n";
    auto line = [&out](QString text) {
        out += CodePage::Default().encode(text.replace(QStringLiteral("\r\n"), QStringLiteral("<br>"))) + "\r\n";
    };
    for (const TestList& list : lists) {
        line(list.name);
        line(QString::number(list.rows.size()));
        for (const QString& column : list.columns)
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
    bool quoted = false, fieldStarted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
                field += c;
                ++i;
            } else if (c == QLatin1Char('"')) {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == QLatin1Char('"') && !fieldStarted) {
            quoted = fieldStarted = true;
        } else if (c == QLatin1Char(',')) {
            records.back() << field;
            field.clear();
            fieldStarted = false;
        } else if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n')) {
            records.back() << field;
            field.clear();
            fieldStarted = false;
            records.emplace_back();
            ++i;
        } else {
            EXPECT_NE(c, QLatin1Char('"')) << "a quote inside an unquoted field";
            EXPECT_NE(c, QLatin1Char('\n')) << "a bare line feed outside quotes";
            field += c;
            fieldStarted = true;
        }
    }
    EXPECT_FALSE(quoted);
    EXPECT_TRUE(records.back().isEmpty() && field.isEmpty()) << "the last record lacks its CR LF";
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
    QString caption, cell;
    bool inCell = false, inCaption = false;
    while (!xml.atEnd()) {
        xml.readNext();
        const QStringView name = xml.name();
        if (xml.isStartElement()) {
            if (name == u"h2") {
                inCaption = true;
                caption.clear();
            } else if (name == u"table") {
                tables.push_back({caption, {}, {}});
            } else if (name == u"tr") {
                tables.back().rows.emplace_back();
                tables.back().rowStyles << xml.attributes().value(QLatin1String("style")).toString();
            } else if (name == u"td" || name == u"th") {
                inCell = true;
                cell.clear();
            } else if (name == u"br") {
                cell += QLatin1Char('\n');
            } else if (inCell) {
                ADD_FAILURE() << "markup inside a cell: " << name.toString().toStdString();
            }
        } else if (xml.isEndElement()) {
            if (name == u"h2")
                inCaption = false;
            if (name == u"td" || name == u"th") {
                inCell = false;
                tables.back().rows.back() << cell;
            }
        } else if (xml.isCharacters()) {
            if (inCell)
                cell += xml.text();
            else if (inCaption)
                caption += xml.text();
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return tables;
}

class ShippedPluginsTest : public ::testing::Test {
protected:
    QTemporaryDir home;

    QByteArray exportWith(const char* plugin, const char* outName)
    {
        QDir().mkpath(home.filePath(u("Plugins")));
        const QString file = u(plugin) + u(".kdp");
        EXPECT_TRUE(QFile::copy(u(SHIPPED_KDP_DIR "/") + file, home.filePath(u("Plugins/") + file)));
        const TzkPluginsPack pack(home.path());
        EXPECT_EQ(pack.Count, 1);
        EXPECT_TRUE(pack.Supports(0, kExportPlugin));
        const QString out = home.filePath(u(outName));
        EXPECT_TRUE(pack.Export(1, out, kdxText(catalogue())));
        QFile result(out);
        return result.open(QIODevice::ReadOnly) ? result.readAll() : QByteArray();
    }
};

} // namespace

TEST_F(ShippedPluginsTest, CsvHoldsEveryRecordWithQuotingThatParsesBack)
{
    const QByteArray bytes = exportWith("CsvExport", "Фильмы.csv");
    ASSERT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    const std::vector<QStringList> records = parseCsv(QString::fromUtf8(bytes.mid(3)));
    const std::vector<TestList> lists = catalogue();
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(records[0], QStringList{u("List")} + lists[0].columns);
    EXPECT_EQ(records[1], QStringList{lists[0].name} + lists[0].rows[0]);
    EXPECT_EQ(records[2], QStringList{lists[0].name} + lists[0].rows[1]);
    EXPECT_EQ(records[3], QStringList{lists[1].name} + lists[1].rows[0]);
    EXPECT_EQ(records[1][8], u("first line\r\nsecond line"));
}

TEST_F(ShippedPluginsTest, HtmlHasOneEscapedTablePerList)
{
    const QByteArray bytes = exportWith("HtmlExport", "Фильмы.html");
    ASSERT_TRUE(bytes.contains("<meta charset=\"utf-8\"/>"));
    const std::vector<HtmlTable> tables = parseHtml(bytes);
    const std::vector<TestList> lists = catalogue();
    ASSERT_EQ(tables.size(), 2u);
    for (size_t t = 0; t < 2; ++t) {
        EXPECT_EQ(tables[t].caption, lists[t].name);
        ASSERT_EQ(tables[t].rows.size(), lists[t].rows.size() + 1);
        EXPECT_EQ(tables[t].rows[0], lists[t].columns.mid(0, 20));
        for (size_t r = 0; r < lists[t].rows.size(); ++r) {
            QStringList expected = lists[t].rows[r].mid(0, 20);
            expected.replaceInStrings(u("\r\n"), u("\n"));
            EXPECT_EQ(tables[t].rows[r + 1], expected);
        }
    }
    EXPECT_EQ(tables[0].rowStyles[1], u("background-color:#ff0000"));
    EXPECT_EQ(tables[0].rowStyles[2], u("background-color:#ffffff"));
    EXPECT_EQ(tables[1].rowStyles[1], QString());
}

TEST_F(ShippedPluginsTest, DamagedTextWritesNothing)
{
    QDir().mkpath(home.filePath(u("Plugins")));
    for (const char* plugin : {"CsvExport", "HtmlExport"})
        ASSERT_TRUE(QFile::copy(u(SHIPPED_KDP_DIR "/") + u(plugin) + u(".kdp"), home.filePath(u("Plugins/") + u(plugin) + u(".kdp"))));
    const TzkPluginsPack pack(home.path());
    ASSERT_EQ(pack.Count, 2);
    const QByteArray whole = kdxText(catalogue());
    for (const QByteArray& text : {whole.left(whole.size() - 40), QByteArray("kdx v1.3\r\n999999999\r\n"),
                                   QByteArray("kdx v2.1\r\n0\r\n"), QByteArray()}) {
        for (int n = 1; n <= 2; ++n) {
            const QString out = home.filePath(u("out"));
            EXPECT_TRUE(pack.Export(n, out, text));
            EXPECT_FALSE(QFile::exists(out)) << n << " " << text.left(20).toStdString();
        }
    }
}
