#include "TzkPluginsPack.h"

#include "../support/TestFiles.h"
#include "../support/ErrorMessage.h"
#include "ReelkeepError.h"

#include <QTemporaryDir>
#include <sys/stat.h>

using namespace reelkeep;
using namespace reelkeep::test;

namespace {

class PluginsPackTest : public ::testing::Test {
protected:
    QTemporaryDir home;
    QString plugins = home.filePath(u("Plugins"));

    void install(const char* name)
    {
        QDir().mkpath(plugins);
        const QString file = u(name) + u(".kdp");
        ASSERT_TRUE(QFile::copy(u(TEST_KDP_DIR "/") + file, plugins + u("/") + file)) << name;
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
    EXPECT_FALSE(pack.Export(1, home.filePath(u("out.txt")), "kdx v1.3\r\n"));
}

TEST_F(PluginsPackTest, ScanKeepsLibrariesWithRKModeAnswersCapabilitiesAndExports)
{
    for (const char* name : {"a_text", "b_html", "c_none", "d_other", "e_all", "f_negative", "g_nomode"})
        install(name);
    WriteTestFile(plugins + u("/h_broken.kdp"), "this is not a shared library");
    WriteTestFile(plugins + u("/readme.txt"), "not a plug-in");

    const TzkPluginsPack pack(home.path());
    ASSERT_EQ(pack.Count, 6);
    QStringList paths;
    for (const PluginInfo& info : pack.Plugins)
        paths << info.LibraryPath;
    EXPECT_EQ(paths.join(u(" ")), u("%1/a_text.kdp %1/b_html.kdp %1/c_none.kdp %1/d_other.kdp %1/e_all.kdp %1/f_negative.kdp").arg(plugins));
    EXPECT_EQ(pack.Plugins[1].DisplayName, u("Test b_html"));
    EXPECT_EQ(pack.Plugins[1].FileFilter, u("b_html|*.b_html"));
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

    EXPECT_EQ(pack.ExportFilter(), u("a_text|*.a_text|b_html|*.b_html|e_all|*.e_all"));
    EXPECT_EQ(pack.GetPlugin(kExportPlugin, 2).DisplayName, u("Test b_html"));
    EXPECT_EQ(pack.GetPlugin(2, 1).DisplayName, u("Test b_html"));
    EXPECT_EQ(pack.GetPlugin(2, 2).DisplayName, u("Test d_other"));
    EXPECT_TRUE(pack.GetPlugin(kExportPlugin, 4).LibraryPath.isEmpty());

    // Export calls the chosen plug-in with both texts.
    const QString out = home.filePath(u("Фильмы.htm"));
    const QByteArray text = "kdx v1.3\r\n1\r\n\xD4\xE8\xEB\xFC\xEC\xFB\r\n";
    ASSERT_TRUE(pack.Export(2, out, text));
    EXPECT_EQ(ReadTestFile(out), "b_html\n" + QFile::encodeName(out) + "\n" + text);

    // The third export plug-in lacks ExportTo; there is no fourth.
    EXPECT_FALSE(pack.Export(3, home.filePath(u("x")), text));
    EXPECT_FALSE(pack.Export(4, home.filePath(u("x")), text));
    EXPECT_FALSE(QFile::exists(home.filePath(u("x"))));
}

TEST_F(PluginsPackTest, MisbehavingPluginsAreSkippedNamingThemAndAnExportCrashIsAnError)
{
    for (const char* name : {"a_text", "i_crash", "j_hang", "k_unending_name", "l_two_filters", "m_crash_export", "n_chatty"})
        install(name);
    // A pipe named like a plug-in would block whoever opened it.
    ASSERT_EQ(::mkfifo(QFile::encodeName(plugins + u("/b_pipe.kdp")).constData(), 0600), 0);

    const TzkPluginsPack pack(home.path(), std::chrono::milliseconds(1000));
    QStringList kept;
    for (const PluginInfo& info : pack.Plugins)
        kept << QFileInfo(info.LibraryPath).fileName();
    // One that prints on standard output is kept: what it prints is no answer.
    EXPECT_EQ(kept, (QStringList{u("a_text.kdp"), u("m_crash_export.kdp"), u("n_chatty.kdp")}));
    QStringList skipped;
    for (const SkippedPlugin& plugin : pack.Skipped)
        skipped << QFileInfo(plugin.LibraryPath).fileName() + u(": ") + plugin.Reason.english();
    EXPECT_EQ(skipped, (QStringList{u("b_pipe.kdp: it is not a regular file"), u("i_crash.kdp: it crashed"),
                                    u("j_hang.kdp: it did not answer within 1 seconds"),
                                    u("k_unending_name.kdp: its display name is not a text"),
                                    u("l_two_filters.kdp: its file filter \"a|*.a|b|*.b\" is not one \"description|pattern\" pair")}));

    // The crash of an export is an error naming the plug-in, and the program goes on.
    const QString crash = ErrorMessage([&] { pack.Export(2, home.filePath(u("out.csv")), "kdx v1.3\r\n"); });
    EXPECT_TRUE(crash.contains(plugins + u("/m_crash_export.kdp")) && crash.contains(u("crashed"))) << crash.toStdString();
    EXPECT_TRUE(pack.Export(3, home.filePath(u("chatty.txt")), "kdx v1.3\r\n"));
    // A catalogue text far larger than the socket's buffers reaches the plug-in whole.
    const QByteArray large = "kdx v1.3\r\n" + QByteArray(8 << 20, 'k');
    EXPECT_TRUE(pack.Export(1, home.filePath(u("out.txt")), large));
    EXPECT_EQ(ReadTestFile(home.filePath(u("out.txt"))), "a_text\n" + QFile::encodeName(home.filePath(u("out.txt"))) + "\n" + large);
}
