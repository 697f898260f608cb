// The two export plug-ins the program ships, run through the pack: a text that is
// not a whole catalogue writes nothing. What they write is checked end to end by
// plugins_cli_e2e.sh.
#include "TzkPluginsPack.h"

#include "../support/TestFiles.h"

#include <QTemporaryDir>

using namespace reelkeep;
using namespace reelkeep::test;

namespace {

// One list of one record, as the catalogue document writes it.
QByteArray kdxText()
{
    QByteArray out = "kdx v1.3\r\n1\r\nFilms\r\n1\r\n";
    for (int c = 0; c < 2 * 21; ++c)
        out += QByteArray::number(c) + "\r\n";
    return out;
}

} // namespace

TEST(ShippedPluginsTest, DamagedTextWritesNothing)
{
    QTemporaryDir home;
    for (const char* plugin : {"CsvExport", "HtmlExport"}) {
        const QString file = u("/Plugins/") + u(plugin) + u(".kdp");
        WriteTestFile(home.path() + file, ReadTestFile(u(SHIPPED_KDP_DIR "/..") + file));
    }
    const TzkPluginsPack plugins(home.path());
    ASSERT_EQ(plugins.Count, 2);
    const QByteArray whole = kdxText();
    for (const QByteArray& text : {whole, whole.left(whole.size() - 10), QByteArray("kdx v1.3\r\n999999999\r\n"),
                                   QByteArray("kdx v2.1\r\n0\r\n"), QByteArray("kdx v1.30\r\n0\r\n"), QByteArray()}) {
        for (int n = 1; n <= 2; ++n) {
            const QString out = home.filePath(u("out"));
            EXPECT_TRUE(plugins.Export(n, out, text));
            EXPECT_EQ(QFile::exists(out), text == whole) << n << " " << text.left(20).toStdString();
            QFile::remove(out);
        }
    }
}

TEST(ShippedPluginsTest, EveryListOfTheCsvStartsWithItsOwnHeader)
{
    QTemporaryDir home;
    WriteTestFile(home.filePath(u("Plugins/CsvExport.kdp")), ReadTestFile(u(SHIPPED_KDP_DIR "/CsvExport.kdp")));
    const TzkPluginsPack plugins(home.path());
    ASSERT_EQ(plugins.Count, 1);
    // Two lists whose columns are named differently, one record each.
    QByteArray text = "kdx v1.3\r\n2\r\n";
    for (const char* list : {"Films", "Series"}) {
        text += QByteArray(list) + "\r\n1\r\n";
        for (int c = 0; c < 21; ++c)
            text += QByteArray(list).left(1) + QByteArray::number(c) + "\r\n";
        for (int c = 0; c < 21; ++c)
            text += QByteArray(list).toLower() + QByteArray::number(c) + "\r\n";
    }
    const QString out = home.filePath(u("out.csv"));
    ASSERT_TRUE(plugins.Export(1, out, text));
    const QList<QByteArray> lines = ReadTestFile(out).split('\n');
    ASSERT_GE(lines.size(), 4);
    EXPECT_TRUE(lines[0].startsWith("\xEF\xBB\xBFList,F0,F1,")) << lines[0].toStdString();
    EXPECT_TRUE(lines[1].startsWith("Films,films0,films1,")) << lines[1].toStdString();
    EXPECT_TRUE(lines[2].startsWith("List,S0,S1,")) << lines[2].toStdString();
    EXPECT_TRUE(lines[3].startsWith("Series,series0,series1,")) << lines[3].toStdString();
}
