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
