#include "ProgramFolder.h"

#include "../support/TestFiles.h"

#include <QTemporaryDir>

using namespace reelkeep;
using namespace reelkeep::test;

TEST(ProgramFolder, ChoiceOrder)
{
    QTemporaryDir dir;
    const QString exe = dir.filePath(u("bin"));
    QDir().mkpath(exe);
    const QString config = dir.filePath(u("config"));
    EXPECT_EQ(ProgramFolder::Locate(dir.filePath(u("home")), exe, config), dir.filePath(u("home")));
    EXPECT_EQ(ProgramFolder::Locate(QString(), exe, config), exe);
    // An executable folder that cannot be written (here: one that is not there).
    EXPECT_EQ(ProgramFolder::Locate(QString(), dir.filePath(u("gone")), config), config + u("/reelkeep"));
    EXPECT_EQ(ProgramFolder::Locate(QString(), QString(), QString()), QDir::home().filePath(u(".config/reelkeep")));
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
