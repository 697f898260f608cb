// Saves never damage the old file: a disk that fills up at the last flush or
// earlier, targets that are not regular files (nor read from), kept modes, and the
// temporaries a killed save leaves behind.
#include "FormatTestSupport.h"
#include "../support/SmallDisk.h"
#include "../support/ErrorMessage.h"

#include <QScopeGuard>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <vector>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/sysmacros.h>
#include <unistd.h>

// A disk that takes every write and fails only when the file is flushed to it or
// closed, as a network disk or a dying one can: the next fsync or close of this
// process fails with the errno set here. Both pass through to the system otherwise.
namespace {
std::atomic<int> g_failNextSync{0};
std::atomic<int> g_failNextClose{0};
} // namespace

extern "C" int fsync(int fd)
{
    if (const int error = g_failNextSync.exchange(0)) {
        errno = error;
        return -1;
    }
    return static_cast<int>(syscall(SYS_fsync, fd));
}

extern "C" int close(int fd)
{
    const int closed = static_cast<int>(syscall(SYS_close, fd));
    if (const int error = g_failNextClose.exchange(0)) {
        errno = error;
        return -1; // the descriptor is gone all the same, as on Linux
    }
    return closed;
}

namespace reelkeep::testing {
namespace {

struct Target {
    const char* name;
    CatalogueForm form;
};
const Target kEveryWriter[] = {
    {"c21.kdx", CatalogueForm::Kdx21}, {"c20.kdx", CatalogueForm::Kdx20},    {"c13.kdx", CatalogueForm::Kdx13},
    {"c.xkdx", CatalogueForm::Xml},    {"c.xls", CatalogueForm::Xls}, {"c.txt", CatalogueForm::TextListing},
};

// A catalogue of about bytes bytes in every form.
TzkReelkeep catalogueOfSize(qsizetype bytes)
{
    TzkReelkeep doc;
    TZKList* list = doc.AddList(0, QStringLiteral("L"));
    const QString description = QStringLiteral("a long description of a film ").repeated(8);
    for (qsizetype size = 0; size < bytes; size += description.size() + 60)
        list->AddRow()->Fields[csDescription] = description + QString::number(size); // unlike, as .xls shares equal texts
    return doc;
}

class SafeSave : public FormatTest {
protected:
    // Every writer fails with a message naming the file and reason, and leaves the old file.
    void expectEveryWriterFails(const TzkReelkeep& doc, const QString& folder, const char* reason)
    {
        for (const Target& target : kEveryWriter) {
            const QString file = QDir(folder).filePath(QString::fromUtf8(target.name));
            const QString message = test::ErrorMessage([&] { doc.Save(file, target.form); });
            EXPECT_TRUE(message.contains(file) && message.contains(QString::fromUtf8(reason))) << message.toStdString();
            EXPECT_EQ(read(file), QByteArray("the old catalogue")) << target.name;
        }
    }

    void writeOldFiles(const QString& folder)
    {
        for (const Target& target : kEveryWriter)
            WriteTestFile(QDir(folder).filePath(QString::fromUtf8(target.name)), "the old catalogue");
    }

    QStringList targetNames() const
    {
        QStringList names;
        for (const Target& target : kEveryWriter)
            names << QString::fromUtf8(target.name);
        names.sort();
        return names;
    }
};

TEST_F(SafeSave, AWriteRefusedAtTheLastFlushOrBeforeLeavesTheOldFile)
{
    // A file-size limit makes the system refuse bytes past it, for root too. A save
    // writes its buffered tail at the end, so the small catalogue fails only at the
    // last flush, the large one after its first megabyte went through.
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    const auto restore = qScopeGuard([&] {
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);
    });
    for (const auto& [size, limit] : {std::pair<qsizetype, rlim_t>{8000, 4096}, {2600000, 1500000}}) {
        const TzkReelkeep doc = catalogueOfSize(size);
        writeOldFiles(m_dir.path());
        rlimit small = old;
        small.rlim_cur = limit;
        setrlimit(RLIMIT_FSIZE, &small);
        expectEveryWriterFails(doc, m_dir.path(), "larger than this system allows");
        setrlimit(RLIMIT_FSIZE, &old);
    }
    EXPECT_EQ(test::FilesIn(m_dir.path()), targetNames());
}

TEST_F(SafeSave, AFullDiskIsReportedInWords)
{
    const QString disk = path("disk");
    const test::SmallDisk small(disk, "size=256k");
    if (!small.mounted())
        GTEST_SKIP() << "a real full disk needs root to mount a small tmpfs";
    writeOldFiles(disk);
    expectEveryWriterFails(catalogueOfSize(400000), disk, "the disk is full. The file is unchanged.");
    EXPECT_EQ(test::FilesIn(disk), targetNames());
}

TEST_F(SafeSave, OnlyRegularFilesAreReplacedAndTheyKeepTheirMode)
{
    // Every target is made here, in the test's own folder: a slip in the check must
    // never be able to replace a device or folder the machine relies on.
    const TzkReelkeep doc = catalogueOfSize(100);
    const QByteArray pipe = QFile::encodeName(path("pipe.kdx"));
    ASSERT_EQ(mkfifo(pipe.constData(), 0644), 0);
    ASSERT_TRUE(QFile::link(path("pipe.kdx"), path("to-pipe.kdx")));
    ASSERT_TRUE(QFile::link(path("nowhere.kdx"), path("dangling.kdx")));
    QDir().mkpath(path("folder.kdx"));
    ASSERT_TRUE(QFile::link(path("folder.kdx"), path("to-folder.kdx")));
    std::vector<std::pair<const char*, const char*>> targets{
        {"pipe.kdx", "a named pipe"}, {"to-pipe.kdx", "a named pipe"}, {"folder.kdx", "a folder"},
        {"to-folder.kdx", "a folder"}, {"dangling.kdx", "a link to a file that does not exist"}};
    // A device node of the null device's numbers, where this user may make one (root).
    const QByteArray device = QFile::encodeName(path("null-device"));
    const bool haveDevice = mknod(device.constData(), S_IFCHR | 0666, makedev(1, 3)) == 0;
    if (haveDevice) {
        ASSERT_TRUE(QFile::link(path("null-device"), path("to-device.kdx")));
        targets.insert(targets.end(), {{"null-device", "a device"}, {"to-device.kdx", "a device"}});
    }
    for (const auto& [name, kind] : targets)
        EXPECT_TRUE(test::ErrorMessage<FileError>([&] { doc.SaveToFile(path(name)); }).contains(QString::fromUtf8(kind))) << name;
    // Nor is one read: a named pipe would wait for a writer forever.
    EXPECT_THROW(TzkReelkeep().LoadFromFile(path("to-pipe.kdx")), FileError);
    struct stat st {};
    ASSERT_EQ(stat(pipe.constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    EXPECT_TRUE(QFileInfo(path("folder.kdx")).isDir());
    if (haveDevice) {
        ASSERT_EQ(lstat(device.constData(), &st), 0);
        EXPECT_TRUE(S_ISCHR(st.st_mode));
    }

    // A link to a regular file: the file is replaced, the link stays a link.
    write("real.kdx", "old");
    ASSERT_TRUE(QFile::link(path("real.kdx"), path("link.kdx")));
    doc.SaveToFile(path("link.kdx"));
    EXPECT_TRUE(QFileInfo(path("link.kdx")).isSymLink());
    EXPECT_TRUE(read(path("real.kdx")).startsWith("kdx v2.1"));

    // The mode stays, a read-only mark too (root may save over it; others are told).
    const auto modeOf = [](const QString& file) {
        struct stat info {};
        stat(QFile::encodeName(file).constData(), &info);
        return info.st_mode & 07777;
    };
    for (const mode_t mode : {0640, 0444}) {
        const QString file = write("mode.kdx", "old");
        chmod(QFile::encodeName(file).constData(), mode);
        if (geteuid() == 0 || mode == 0640) {
            doc.SaveToFile(file);
            EXPECT_TRUE(read(file).startsWith("kdx v2.1"));
        } else {
            EXPECT_THROW(doc.SaveToFile(file), FileError);
            EXPECT_EQ(read(file), QByteArray("old"));
        }
        EXPECT_EQ(modeOf(file), mode);
        chmod(QFile::encodeName(file).constData(), 0644);
    }
    const mode_t mask = umask(0);
    umask(mask);
    doc.SaveToFile(path("new.kdx"));
    EXPECT_EQ(modeOf(path("new.kdx")), 0666 & ~mask);
}

TEST_F(SafeSave, TemporariesLeftByAKilledSaveAreRemovedOnceStale)
{
    const QDateTime stale = QDateTime::currentDateTime().addSecs(-120);
    const auto leftover = [&](const char* name, bool old) {
        const QString file = write(name, "partial");
        if (old) {
            QFile handle(file);
            ASSERT_TRUE(handle.open(QIODevice::ReadWrite));
            ASSERT_TRUE(handle.setFileTime(stale, QFileDevice::FileModificationTime));
        }
    };
    leftover("c.kdx.saving-Ab12Cd", true);
    leftover("c.kdx.saving-Fresh1", false);
    // Other names are never touched, however old: they may be the person's own files.
    leftover("c.kdx.saving-Ab12C", true);
    leftover("c.kdx.backup", true);
    leftover("d.kdx.saving-Xy12Zw", true);
    catalogueOfSize(100).SaveToFile(path("c.kdx"));
    EXPECT_EQ(test::FilesIn(m_dir.path()), (QStringList{QStringLiteral("c.kdx"), QStringLiteral("c.kdx.backup"),
                                                  QStringLiteral("c.kdx.saving-Ab12C"), QStringLiteral("c.kdx.saving-Fresh1"),
                                                  QStringLiteral("d.kdx.saving-Xy12Zw")}));
}

TEST_F(SafeSave, ADiskFailingAtTheFinalFlushOrCloseLeavesTheOldFile)
{
    const TzkReelkeep doc = catalogueOfSize(3000);
    for (std::atomic<int>* failing : {&g_failNextSync, &g_failNextClose}) {
        writeOldFiles(m_dir.path());
        for (const Target& target : kEveryWriter) {
            const QString file = path(target.name);
            failing->store(EIO);
            const QString message = test::ErrorMessage([&] { doc.Save(file, target.form); });
            EXPECT_EQ(failing->exchange(0), 0) << "the save never flushed nor closed " << target.name;
            EXPECT_TRUE(message.contains(file) && message.contains(QStringLiteral("input/output error")))
                << message.toStdString();
            EXPECT_EQ(read(file), QByteArray("the old catalogue")) << target.name;
        }
        EXPECT_EQ(test::FilesIn(m_dir.path()), targetNames());
    }
}

TEST_F(SafeSave, ASavedFileKeepsItsOwnerGroupAndModeAlsoWhenWrittenByName)
{
    // Another user's file, as root may save one; anyone else checks the mode only.
    const bool root = geteuid() == 0;
    const uid_t owner = root ? 4321 : geteuid();
    const gid_t group = root ? 4322 : getegid();
    const auto expectKept = [&](const QString& file) {
        struct stat st {};
        ASSERT_EQ(stat(QFile::encodeName(file).constData(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, mode_t(0604));
        EXPECT_EQ(st.st_uid, owner);
        EXPECT_EQ(st.st_gid, group);
    };
    const auto oldFile = [&](const char* name) {
        const QString file = write(name, "old");
        const QByteArray encoded = QFile::encodeName(file);
        EXPECT_EQ(chown(encoded.constData(), owner, group), 0);
        EXPECT_EQ(chmod(encoded.constData(), 0604), 0);
        return file;
    };

    const QString saved = oldFile("saved.kdx");
    catalogueOfSize(100).SaveToFile(saved);
    EXPECT_TRUE(read(saved).startsWith("kdx v2.1"));
    expectKept(saved);

    // An export plug-in may put a new file of its own in the temporary's place.
    const QString exported = oldFile("exported.csv");
    AtomicFile file(exported);
    QFile::remove(file.temporaryName());
    WriteTestFile(file.temporaryName(), "written by the plug-in");
    ASSERT_TRUE(file.commitWrittenByName());
    EXPECT_EQ(read(exported), QByteArray("written by the plug-in"));
    expectKept(exported);
}

} // namespace
} // namespace reelkeep::testing
