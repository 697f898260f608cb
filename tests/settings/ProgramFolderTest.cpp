#include "ProgramFolder.h"

#include "../support/TestFiles.h"

#include <QTemporaryDir>

using namespace reelkeep;
using namespace reelkeep::test;

using Layout = ProgramFolder::Layout;

TEST(ProgramFolder, ChoiceByLayout)
{
    QTemporaryDir dir;
    const QString exe = dir.filePath(u("bin"));
    QDir().mkpath(exe);
    const QString config = dir.filePath(u("config")), configured = config + u("/reelkeep");
    for (const Layout layout : {Layout::BuildTree, Layout::Portable, Layout::Installed})
        EXPECT_EQ(ProgramFolder::Locate(dir.filePath(u("home")), exe, layout, config), dir.filePath(u("home")));
    EXPECT_EQ(ProgramFolder::Locate(QString(), exe, Layout::BuildTree, config), exe);
    EXPECT_EQ(ProgramFolder::Locate(QString(), exe, Layout::Portable, config), exe);
    // An installed program keeps its settings per user, however writable bin/ is.
    EXPECT_EQ(ProgramFolder::Locate(QString(), exe, Layout::Installed, config), configured);
    // A build tree that cannot be written (here: one that is not there); a portable
    // folder is used read-only instead.
    const QString gone = dir.filePath(u("gone"));
    EXPECT_EQ(ProgramFolder::Locate(QString(), gone, Layout::BuildTree, config), configured);
    EXPECT_EQ(ProgramFolder::Locate(QString(), gone, Layout::Portable, config), gone);
    EXPECT_EQ(ProgramFolder::Locate(QString(), exe, Layout::Installed, QString()), QDir::home().filePath(u(".config/reelkeep")));
}

TEST(ProgramFolder, LayoutIsToldByWhereTheExecutableIs)
{
    QTemporaryDir dir;
    const QString build = dir.filePath(u("build"));
    QDir().mkpath(build + u("/src/cli"));
    QDir().mkpath(dir.filePath(u("build-rel/src/cli")));
    QDir().mkpath(dir.filePath(u("prefix/bin")));
    EXPECT_EQ(ProgramFolder::LayoutOf(build + u("/src/cli"), build), Layout::BuildTree);
    EXPECT_EQ(ProgramFolder::LayoutOf(dir.filePath(u("build-rel/src/cli")), build), Layout::Installed);
    EXPECT_EQ(ProgramFolder::LayoutOf(dir.filePath(u("prefix/bin")), build), Layout::Installed);
    WriteTestFile(dir.filePath(u("prefix/bin/setup.ini")), "");
    EXPECT_EQ(ProgramFolder::LayoutOf(dir.filePath(u("prefix/bin")), build), Layout::Portable);
    // Shipped files and helpers of an installed program are found beside its bin/.
    QDir().mkpath(dir.filePath(u("usr/bin")));
    QDir().mkpath(dir.filePath(u("usr/share/reelkeep")));
    const QString bin = dir.filePath(u("usr/bin"));
    EXPECT_EQ(ProgramFolder::ShippedFolders(Layout::Installed, bin), QStringList{dir.filePath(u("usr/share/reelkeep"))});
    EXPECT_TRUE(ProgramFolder::HelperFolder(Layout::Installed, bin).startsWith(dir.filePath(u("usr/"))));
    EXPECT_TRUE(ProgramFolder::ShippedFolders(Layout::Portable, bin).isEmpty());
    EXPECT_EQ(ProgramFolder::HelperFolder(Layout::Portable, bin), bin);
}

TEST(ProgramFolder, NamedFolderIsCreatedAndSeededOnlyWhenNew)
{
    QTemporaryDir dir;
    const QString fresh = dir.filePath(u("fresh/home"));
    EXPECT_EQ(ProgramFolder::Resolve(fresh), fresh);
    EXPECT_TRUE(QFile::exists(fresh + u("/English.lng")));
    const QString used = dir.filePath(u("used"));
    WriteTestFile(used + u("/setup.ini"), "[Options]\n");
    EXPECT_EQ(ProgramFolder::Resolve(used), used);
    EXPECT_EQ(QDir(used).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{u("setup.ini")});
}

TEST(ProgramFolder, SeedingAddsWhatIsMissingAndNeverOverwritesTheUsersFiles)
{
    QTemporaryDir dir;
    const QString shipped = dir.filePath(u("shipped")), built = dir.filePath(u("built"));
    const QString home = dir.filePath(u("home"));
    WriteTestFile(shipped + u("/English.lng"), "shipped");
    WriteTestFile(shipped + u("/DefCover.cvr"), "cover");
    WriteTestFile(shipped + u("/covers-src/DefCover.json"), "source of the cover");
    WriteTestFile(shipped + u("/make-covers.sh"), "a build script");
    WriteTestFile(built + u("/Plugins/csv.kdp"), "new build");
    WriteTestFile(home + u("/English.lng"), "edited by the user");
    WriteTestFile(home + u("/Plugins/csv.kdp"), "old build");
    QFile old(home + u("/Plugins/csv.kdp"));
    ASSERT_TRUE(old.open(QIODevice::ReadWrite));
    ASSERT_TRUE(old.setFileTime(QDateTime::currentDateTime().addDays(-1), QFileDevice::FileModificationTime));
    old.close();

    ProgramFolder::Seed(home, {shipped, built});
    EXPECT_EQ(ReadTestFile(home + u("/English.lng")), QByteArray("edited by the user"));
    EXPECT_EQ(ReadTestFile(home + u("/DefCover.cvr")), QByteArray("cover"));
    EXPECT_EQ(ReadTestFile(home + u("/Plugins/csv.kdp")), QByteArray("new build"));
    EXPECT_FALSE(QFile::exists(home + u("/make-covers.sh")));
    EXPECT_FALSE(QDir(home + u("/covers-src")).exists());
}

TEST(ProgramFolder, ARefreshReplacesOnlyOlderPluginsNeverEditedLanguagesOrSettings)
{
    QTemporaryDir dir;
    const QString shipped = dir.filePath(u("shipped")), home = dir.filePath(u("home"));
    const QDateTime lastWeek = QDateTime::currentDateTime().addDays(-7);
    const auto age = [&](const QString& file) {
        QFile handle(file);
        ASSERT_TRUE(handle.open(QIODevice::ReadWrite));
        ASSERT_TRUE(handle.setFileTime(lastWeek, QFileDevice::FileModificationTime));
    };
    // The person edited these last week; the program was updated since.
    WriteTestFile(home + u("/Russian.lng"), "edited by the user");
    WriteTestFile(home + u("/setup.ini"), "[Options]\nLanguage=Russian\n");
    age(home + u("/Russian.lng"));
    age(home + u("/setup.ini"));
    WriteTestFile(shipped + u("/Russian.lng"), "shipped");
    WriteTestFile(shipped + u("/setup.ini"), "[Options]\n");
    // A plug-in the person built after the shipped one was made stays too.
    WriteTestFile(shipped + u("/Plugins/own.kdp"), "shipped");
    age(shipped + u("/Plugins/own.kdp"));
    WriteTestFile(home + u("/Plugins/own.kdp"), "built by the user");

    ProgramFolder::Seed(home, {shipped});
    EXPECT_EQ(ReadTestFile(home + u("/Russian.lng")), QByteArray("edited by the user"));
    EXPECT_EQ(ReadTestFile(home + u("/setup.ini")), QByteArray("[Options]\nLanguage=Russian\n"));
    EXPECT_EQ(ReadTestFile(home + u("/Plugins/own.kdp")), QByteArray("built by the user"));
}

TEST(ProgramFolder, ANamedFolderThatIsThereButEmptyIsSeeded)
{
    QTemporaryDir dir;
    const QString empty = dir.filePath(u("empty"));
    ASSERT_TRUE(QDir().mkpath(empty));
    EXPECT_EQ(ProgramFolder::Resolve(empty), empty);
    EXPECT_TRUE(QFile::exists(empty + u("/English.lng")));
}
