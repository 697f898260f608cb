// Recovery files: written whole or not at all, found at start only when their window
// is gone, and the copy a worker writes is the document as it was.
#include "ListsCopy.h"
#include "RecoveryJournal.h"
#include "TReelkeepXMLSerialiazerV2_1.h"

#include "../support/TestFiles.h"

#include <QTemporaryDir>

namespace reelkeep {
namespace {

using test::ReadTestFile;
using test::WriteTestFile;

TZKLists sampleLists()
{
    TZKLists lists;
    lists.Autor = QStringLiteral("Автор");
    TZKList* films = lists.AddList(0, QStringLiteral("Фильмы"));
    films->Column(1).Name = QStringLiteral("Название");
    films->Column(3).Width = 77;
    TzkRow* group = films->AddRow();
    group->Fields[1] = QStringLiteral("Бригада");
    TzkRow* part = films->AddRow(group);
    part->Fields[1] = QStringLiteral("Бригада 1");
    films->DeleteRow(films->AddRow()); // a gap in the IDs
    films->AddRow()->Fields[1] = QStringLiteral("Амели");
    films->Images.AddImage("\x89PNG image", part->ID);
    films->SetColumnFilter(1, QStringLiteral("Б*"));
    lists.AddList(0, QStringLiteral("Сериалы"))->AddRow()->Fields[2] = QStringLiteral("Остров");
    return lists;
}

QByteArray xmlOf(const TZKLists& lists, const QString& file)
{
    TReelkeepXMLSerialiazerV2_1().Save(file, lists);
    return ReadTestFile(file);
}

TEST(RecoveryJournalTest, CopyWritesAsTheOriginalAndStaysWhenTheOriginalChanges)
{
    QTemporaryDir dir;
    TZKLists lists = sampleLists();
    const std::unique_ptr<TZKLists> copy = CopyOfLists(lists);
    const QByteArray original = xmlOf(lists, dir.filePath(QStringLiteral("original.xkdx")));
    EXPECT_EQ(xmlOf(*copy, dir.filePath(QStringLiteral("copy.xkdx"))), original);
    EXPECT_EQ(copy->List(0)->MaxID, lists.List(0)->MaxID) << "new records must not reuse the deleted one's ID";
    EXPECT_EQ(copy->List(0)->Row(0)->Child(0)->GroupID, lists.List(0)->Row(0)->ID);

    lists.List(0)->Row(0)->Fields[1] = QStringLiteral("changed");
    lists.List(0)->AddRow();
    lists.List(0)->Images.AddImage("more", 1);
    EXPECT_EQ(xmlOf(*copy, dir.filePath(QStringLiteral("copy.xkdx"))), original);
}

TEST(RecoveryJournalTest, OnlyJournalsOfGoneWindowsAreOffered)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("recovery"));
    const QString catalogue = dir.filePath(QStringLiteral("films.kdx"));
    auto journal = std::make_unique<RecoveryJournal>(catalogue, CatalogueForm::Kdx20, QString(), folder);
    ASSERT_TRUE(journal->claim());
    journal->write(sampleLists());
    EXPECT_TRUE(RecoveryJournal::Orphans(folder).empty()) << "its window still lives";
    const QString id = journal->id();
    journal.reset();

    const std::vector<RecoveryEntry> orphans = RecoveryJournal::Orphans(folder);
    ASSERT_EQ(orphans.size(), 1u);
    EXPECT_EQ(orphans[0].id, id);
    EXPECT_EQ(orphans[0].catalogue, catalogue);
    EXPECT_EQ(orphans[0].form, CatalogueForm::Kdx20);
    EXPECT_EQ(ReadTestFile(orphans[0].journal), xmlOf(sampleLists(), dir.filePath(QStringLiteral("expected.xkdx"))));

    // Taken over by a restored window: not offered while it lives, renamed by its Save As.
    {
        RecoveryJournal restored(catalogue, CatalogueForm::Kdx20, id, folder);
        ASSERT_TRUE(restored.claim());
        EXPECT_TRUE(RecoveryJournal::Orphans(folder).empty());
        restored.rename(dir.filePath(QStringLiteral("elsewhere.xkdx")), CatalogueForm::Xml);
    }
    ASSERT_EQ(RecoveryJournal::Orphans(folder).size(), 1u);
    EXPECT_EQ(RecoveryJournal::Orphans(folder)[0].catalogue, dir.filePath(QStringLiteral("elsewhere.xkdx")));
    EXPECT_EQ(RecoveryJournal::Orphans(folder)[0].form, CatalogueForm::Xml);

    // A journal whose name file is damaged or missing names no catalogue: never offered.
    WriteTestFile(folder + QLatin1Char('/') + id + QStringLiteral(".catalogue"), "\n9\n");
    EXPECT_TRUE(RecoveryJournal::Orphans(folder).empty());
    WriteTestFile(folder + QLatin1Char('/') + id + QStringLiteral(".catalogue"), catalogue.toUtf8() + "\n2\n");
    RecoveryJournal(catalogue, CatalogueForm::Kdx21, id, folder).remove();
    EXPECT_TRUE(RecoveryJournal::Orphans(folder).empty());
    EXPECT_EQ(test::FilesIn(folder).filter(QStringLiteral(".xkdx")).size(), 0);
}

TEST(RecoveryJournalTest, WrittenSoonButNeverWithinFiveSecondsOfTheLast)
{
    EXPECT_LE(JournalDelayMs(-1), 5000);
    EXPECT_GE(JournalDelayMs(-1), 500);
    EXPECT_EQ(JournalDelayMs(0), 5000);
    EXPECT_EQ(JournalDelayMs(2000), 3000);
    EXPECT_GE(JournalDelayMs(60000), 500) << "a burst of changes makes one write";
    EXPECT_LE(JournalDelayMs(60000), 5000);
}

} // namespace
} // namespace reelkeep
