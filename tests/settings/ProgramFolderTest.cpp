#include "ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace reelkeep;

namespace {

void put(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(ProgramFolder, ChoiceOrder)
{
    QTemporaryDir dir;
    const QString exe = dir.filePath(QStringLiteral("bin"));
    QDir().mkpath(exe);
    const QString config = dir.filePath(QStringLiteral("config"));
    EXPECT_EQ(ProgramFolder::Locate(dir.filePath(QStringLiteral("home")), exe, config), dir.filePath(QStringLiteral("home")));
    EXPECT_EQ(ProgramFolder::Locate(QString(), exe, config), exe);
    // An executable folder that cannot be written (here: one that is not there).
    EXPECT_EQ(ProgramFolder::Locate(QString(), dir.filePath(QStringLiteral("gone")), config), config + QStringLiteral("/reelkeep"));
    EXPECT_EQ(ProgramFolder::Locate(QString(), QString(), QString()), QDir::home().filePath(QStringLiteral(".config/reelkeep")));
}

TEST(ProgramFolder, SeedingAddsWhatIsMissingAndNeverOverwritesTheUsersFiles)
{
    QTemporaryDir dir;
    const QString shipped = dir.filePath(QStringLiteral("shipped")), built = dir.filePath(QStringLiteral("built"));
    const QString home = dir.filePath(QStringLiteral("home"));
    put(shipped + QStringLiteral("/English.lng"), "shipped");
    put(shipped + QStringLiteral("/DefCover.cvr"), "cover");
    put(shipped + QStringLiteral("/covers-src/DefCover.json"), "source of the cover");
    put(shipped + QStringLiteral("/make-covers.sh"), "a build script");
    put(built + QStringLiteral("/Plugins/csv.kdp"), "new build");
    put(home + QStringLiteral("/English.lng"), "edited by the user");
    put(home + QStringLiteral("/Plugins/csv.kdp"), "old build");
    QFile old(home + QStringLiteral("/Plugins/csv.kdp"));
    ASSERT_TRUE(old.open(QIODevice::ReadWrite));
    ASSERT_TRUE(old.setFileTime(QDateTime::currentDateTime().addDays(-1), QFileDevice::FileModificationTime));
    old.close();

    ProgramFolder::Seed(home, {shipped, built});
    EXPECT_EQ(read(home + QStringLiteral("/English.lng")), QByteArray("edited by the user"));
    EXPECT_EQ(read(home + QStringLiteral("/DefCover.cvr")), QByteArray("cover"));
    EXPECT_EQ(read(home + QStringLiteral("/Plugins/csv.kdp")), QByteArray("new build"));
    EXPECT_FALSE(QFile::exists(home + QStringLiteral("/make-covers.sh")));
    EXPECT_FALSE(QDir(home + QStringLiteral("/covers-src")).exists());
}
