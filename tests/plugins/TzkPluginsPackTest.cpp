#include "TzkPluginsPack.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace reelkeep;

namespace {

class PluginsPackTest : public ::testing::Test {
protected:
    QTemporaryDir home;
    QString plugins = home.filePath(QStringLiteral("Plugins"));

    void install(const char* name)
    {
        QDir().mkpath(plugins);
        const QString file = QString::fromUtf8(name) + QStringLiteral(".kdp");
        ASSERT_TRUE(QFile::copy(QStringLiteral(TEST_KDP_DIR "/") + file, plugins + QLatin1Char('/') + file)) << name;
    }
    void put(const char* name, const QByteArray& bytes)
    {
        QDir().mkpath(plugins);
        QFile file(plugins + QLatin1Char('/') + QString::fromUtf8(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray read(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

} // namespace

TEST_F(PluginsPackTest, MissingFolderIsCreatedAndThePackIsEmpty)
{
    const TzkPluginsPack pack(home.path());
    EXPECT_TRUE(QDir(plugins).exists());
    EXPECT_EQ(pack.Count, 0);
    EXPECT_EQ(pack.ExportFilter(), QString());
    EXPECT_TRUE(pack.GetPlugin(kExportPlugin, 1).LibraryPath.isEmpty());
    EXPECT_FALSE(pack.Export(1, home.filePath(QStringLiteral("out.txt")), "kdx v1.3\r\n"));
}

TEST_F(PluginsPackTest, ScanKeepsLibrariesWithRKModeAndAnswersCapabilities)
{
    for (const char* name : {"a_text", "b_html", "c_none", "d_other", "e_all", "f_negative", "g_nomode"})
        install(name);
    put("h_broken.kdp", "this is not a shared library");
    put("readme.txt", "not a plug-in");

    const TzkPluginsPack pack(home.path());
    ASSERT_EQ(pack.Count, 6);
    QStringList names;
    for (const PluginInfo& info : pack.Plugins)
        names << QFileInfo(info.LibraryPath).fileName();
    EXPECT_EQ(names, (QStringList{QStringLiteral("a_text.kdp"), QStringLiteral("b_html.kdp"), QStringLiteral("c_none.kdp"),
                                  QStringLiteral("d_other.kdp"), QStringLiteral("e_all.kdp"), QStringLiteral("f_negative.kdp")}));
    EXPECT_EQ(pack.Plugins[1].LibraryPath, plugins + QStringLiteral("/b_html.kdp"));
    EXPECT_EQ(pack.Plugins[1].DisplayName, QStringLiteral("Test b_html"));
    EXPECT_EQ(pack.Plugins[1].FileFilter, QStringLiteral("b_html|*.b_html"));
    EXPECT_EQ(pack.Plugins[5].Mode, -1);

    // Modes 1, 3, 0, 2, 256, -1 in that order.
    const bool exports[] = {true, true, false, false, true, false};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(pack.Supports(i, kExportPlugin), exports[i]) << i;
        EXPECT_FALSE(pack.Supports(i, 256)) << i;
    }
    EXPECT_TRUE(pack.Supports(3, 2));
    EXPECT_TRUE(pack.Supports(1, 2));
    EXPECT_TRUE(pack.Supports(4, 128));
    EXPECT_FALSE(pack.Supports(5, 2));
    EXPECT_FALSE(pack.Supports(6, 1));
    EXPECT_FALSE(pack.Supports(-1, 1));

    EXPECT_EQ(pack.ExportFilter(), QStringLiteral("a_text|*.a_text|b_html|*.b_html|e_all|*.e_all"));
    EXPECT_EQ(pack.GetPlugin(kExportPlugin, 2).DisplayName, QStringLiteral("Test b_html"));
    EXPECT_EQ(pack.GetPlugin(2, 1).DisplayName, QStringLiteral("Test b_html"));
    EXPECT_EQ(pack.GetPlugin(2, 2).DisplayName, QStringLiteral("Test d_other"));
    EXPECT_TRUE(pack.GetPlugin(kExportPlugin, 4).LibraryPath.isEmpty());
}

TEST_F(PluginsPackTest, ExportCallsTheChosenPluginWithBothTexts)
{
    for (const char* name : {"a_text", "b_html", "e_all"})
        install(name);
    const TzkPluginsPack pack(home.path());
    const QString out = home.filePath(QStringLiteral("Фильмы.htm"));
    const QByteArray text = "kdx v1.3\r\n1\r\n\xD4\xE8\xEB\xFC\xEC\xFB\r\n";
    ASSERT_TRUE(pack.Export(2, out, text));
    EXPECT_EQ(read(out), "b_html\n" + QFile::encodeName(out) + "\n" + text);

    // The third export plug-in lacks ExportTo; there is no fourth.
    EXPECT_FALSE(pack.Export(3, home.filePath(QStringLiteral("x")), text));
    EXPECT_FALSE(pack.Export(4, home.filePath(QStringLiteral("x")), text));
    EXPECT_FALSE(QFile::exists(home.filePath(QStringLiteral("x"))));
}
