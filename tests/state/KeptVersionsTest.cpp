// Earlier versions: kept before each save, numbered newest first, dropped oldest first
// beyond the count per catalogue and the size of all.
#include "KeptVersions.h"
#include "TZKLists.h"

#include "../support/TestFiles.h"

#include <QTemporaryDir>

namespace reelkeep {
namespace {

using test::ReadTestFile;
using test::WriteTestFile;

QByteArray versionBytes(int n)
{
    return "catalogue saved the " + QByteArray::number(n) + "th time";
}

TEST(KeptVersionsTest, TenVersionsKeptAndAnEleventhDropsTheOldest)
{
    QTemporaryDir dir;
    const QString catalogue = dir.filePath(QStringLiteral("films.kdx"));
    const KeptVersions versions(dir.filePath(QStringLiteral("state")));
    versions.Keep(catalogue, {});
    EXPECT_TRUE(versions.List(catalogue).empty()) << "a new file replaces nothing";
    for (int n = 1; n <= 11; ++n) {
        WriteTestFile(catalogue, versionBytes(n));
        versions.Keep(catalogue, {});
        ASSERT_EQ(versions.List(catalogue).size(), static_cast<size_t>(std::min(n, 10)));
    }
    const std::vector<KeptVersion> kept = versions.List(catalogue);
    for (size_t i = 0; i < kept.size(); ++i) {
        EXPECT_EQ(kept[i].number, static_cast<int>(i) + 1);
        EXPECT_EQ(ReadTestFile(kept[i].file), versionBytes(11 - static_cast<int>(i))) << "version " << i + 1;
        EXPECT_EQ(kept[i].size, versionBytes(11 - static_cast<int>(i)).size());
    }
    EXPECT_EQ(kept.front().modified, QFileInfo(catalogue).lastModified()) << "the time that version was saved";

    // Another catalogue's versions are its own.
    const QString other = dir.filePath(QStringLiteral("other.xkdx"));
    WriteTestFile(other, "other");
    versions.Keep(other, {3, 1 << 20});
    ASSERT_EQ(versions.List(other).size(), 1u);
    EXPECT_TRUE(versions.List(other).front().file.endsWith(QStringLiteral(".xkdx")));
    EXPECT_EQ(versions.List(catalogue).size(), 10u);
}

TEST(KeptVersionsTest, SizeOfAllVersionsIsLimitedOldestFirst)
{
    QTemporaryDir dir;
    const KeptVersions versions(dir.filePath(QStringLiteral("state")));
    const QString a = dir.filePath(QStringLiteral("a.kdx"));
    const QString b = dir.filePath(QStringLiteral("b.kdx"));
    const VersionLimits limits{10, 250};
    const auto save = [&](const QString& file, char fill, int secondsAgo) {
        WriteTestFile(file, QByteArray(100, fill));
        QFile touched(file);
        ASSERT_TRUE(touched.open(QIODevice::ReadWrite));
        touched.setFileTime(QDateTime::currentDateTime().addSecs(-secondsAgo), QFileDevice::FileModificationTime);
        touched.close();
        versions.Keep(file, limits);
    };
    save(a, 'a', 300);
    save(b, 'b', 200);
    save(a, 'A', 100);
    // 300 bytes kept would pass 250: the oldest saved (a's first) goes.
    ASSERT_EQ(versions.List(a).size(), 1u);
    EXPECT_EQ(ReadTestFile(versions.List(a).front().file), QByteArray(100, 'A'));
    EXPECT_EQ(versions.List(b).size(), 1u);
    // A file bigger than all versions may take is not kept at all.
    WriteTestFile(b, QByteArray(300, 'x'));
    versions.Keep(b, limits);
    EXPECT_EQ(ReadTestFile(versions.List(b).front().file), QByteArray(100, 'b'));
    // No versions at all when the count is 0.
    versions.Keep(a, {0, 1000});
    EXPECT_EQ(versions.List(a).size(), 1u);
}

TEST(KeptVersionsTest, RecordCountsIncludeNestedRecords)
{
    TZKLists lists;
    TZKList* films = lists.AddList(0, QStringLiteral("Films"));
    TzkRow* group = films->AddRow();
    films->AddRow(group);
    films->AddRow(films->AddRow(group));
    lists.AddList(0, QStringLiteral("Series"));
    EXPECT_EQ(RecordCountsText(lists), QStringLiteral("4+0"));
}

} // namespace
} // namespace reelkeep
