// The lock of a catalogue between processes, and the fingerprint that tells a file
// changed by something else.
#include "CatalogueLock.h"
#include "FileFingerprint.h"

#include "../support/TestFiles.h"

#include <QCoreApplication>
#include <QLockFile>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QThread>

namespace reelkeep {
namespace {

using test::ReadTestFile;
using test::WriteTestFile;

// A lock file as another process leaves it: its pid, program and host.
void WriteForeignLock(const QString& lockFile, qint64 pid, const QString& program)
{
    WriteTestFile(lockFile, QByteArray::number(pid) + '\n' + program.toUtf8() + '\n'
                                + QSysInfo::machineHostName().toUtf8() + '\n');
}

TEST(CatalogueLockTest, OneWriterAmongProcessesAndDeadHoldersTakenOver)
{
    QTemporaryDir dir;
    const QString catalogue = dir.filePath(QStringLiteral("films.kdx"));
    WriteTestFile(catalogue, "kdx v2.1");
    const QString lockFile = CatalogueLock::LockFileFor(catalogue);
    EXPECT_EQ(QFileInfo(lockFile).absolutePath(), dir.path()) << "a writable folder keeps the lock beside the catalogue";

    // A live process of another program holds it: refused, and the holder named.
    QProcess holder;
    holder.start(QStringLiteral("sleep"), {QStringLiteral("30")});
    ASSERT_TRUE(holder.waitForStarted());
    WriteForeignLock(lockFile, holder.processId(), QStringLiteral("sleep"));
    CatalogueLock refused(catalogue);
    EXPECT_FALSE(refused.tryLock());
    EXPECT_FALSE(refused.isLocked());
    ASSERT_TRUE(refused.holder());
    EXPECT_EQ(refused.holder()->pid, holder.processId());
    EXPECT_EQ(HolderText(refused.holder()), QSysInfo::machineHostName() + QStringLiteral(", pid ")
                                                + QString::number(holder.processId()) + QStringLiteral(", sleep"));

    // Once it is dead, its lock is taken over.
    holder.kill();
    holder.waitForFinished();
    CatalogueLock taken(catalogue);
    EXPECT_TRUE(taken.tryLock());
    EXPECT_EQ(ReadTestFile(lockFile).split('\n').value(0), QByteArray::number(QCoreApplication::applicationPid()));

    // The windows of this process share its lock; it goes with the last of them.
    {
        CatalogueLock second(catalogue);
        EXPECT_TRUE(second.tryLock());
    }
    EXPECT_TRUE(QFileInfo::exists(lockFile));
    taken.unlock();
    EXPECT_FALSE(QFileInfo::exists(lockFile));
}

TEST(CatalogueLockTest, LiveHolderIsNeverTakenOverForItsAge)
{
    QTemporaryDir dir;
    const QString catalogue = dir.filePath(QStringLiteral("films.kdx"));
    QProcess holder;
    holder.start(QStringLiteral("sleep"), {QStringLiteral("30")});
    ASSERT_TRUE(holder.waitForStarted());
    const QString lockFile = CatalogueLock::LockFileFor(catalogue);
    WriteForeignLock(lockFile, holder.processId(), QStringLiteral("sleep"));
    QFile aged(lockFile);
    ASSERT_TRUE(aged.open(QIODevice::ReadWrite));
    aged.setFileTime(QDateTime::currentDateTime().addDays(-3), QFileDevice::FileModificationTime);
    aged.close();
    EXPECT_FALSE(CatalogueLock(catalogue).tryLock());
    holder.kill();
    holder.waitForFinished();
}

TEST(CatalogueLockTest, ALockLeftUnwrittenByAKilledProcessIsTakenOverOnceOld)
{
    QTemporaryDir dir;
    const QString catalogue = dir.filePath(QStringLiteral("films.kdx"));
    const QString lockFile = CatalogueLock::LockFileFor(catalogue);
    const auto leave = [&](const QByteArray& bytes, int secondsAgo) {
        WriteTestFile(lockFile, bytes);
        QFile aged(lockFile);
        ASSERT_TRUE(aged.open(QIODevice::ReadWrite));
        aged.setFileTime(QDateTime::currentDateTime().addSecs(-secondsAgo), QFileDevice::FileModificationTime);
    };
    leave(QByteArray(), 0);
    EXPECT_FALSE(CatalogueLock(catalogue).tryLock()) << "its writer may still be about to say who it is";
    for (const QByteArray& left : {QByteArray(), QByteArray("\n")}) {
        leave(left, 10);
        CatalogueLock taken(catalogue);
        EXPECT_TRUE(taken.tryLock()) << left.constData();
        EXPECT_EQ(ReadTestFile(lockFile).split('\n').value(0), QByteArray::number(QCoreApplication::applicationPid()));
    }
}

TEST(FileFingerprintTest, TellsOtherBytesButNotTheSameBytesWrittenAgain)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("films.kdx"));
    WriteTestFile(file, "first");
    const FileFingerprint known = FileFingerprint::Of(file);
    EXPECT_FALSE(ChangedSince(known, file));

    const auto rewrite = [&](const QByteArray& bytes, int secondsLater) {
        WriteTestFile(file, bytes);
        QFile touched(file);
        ASSERT_TRUE(touched.open(QIODevice::ReadWrite));
        touched.setFileTime(known.modified.addSecs(secondsLater), QFileDevice::FileModificationTime);
    };
    rewrite("first", 5);
    EXPECT_FALSE(ChangedSince(known, file)) << "the same bytes copied back are no change";
    rewrite("fir5t", 6);
    EXPECT_TRUE(ChangedSince(known, file)) << "same size, other bytes";
    rewrite("first and more", 0);
    EXPECT_TRUE(ChangedSince(known, file)) << "another size, even at the same time";
    QFile::remove(file);
    EXPECT_TRUE(ChangedSince(known, file)) << "removed";
    EXPECT_FALSE(ChangedSince(FileFingerprint::Of(file), file)) << "missing then, missing now";
}

} // namespace
} // namespace reelkeep
