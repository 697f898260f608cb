#include "FolderRescan.h"

#include <gtest/gtest.h>

using namespace reelkeep;

namespace {

constexpr int kSize = 3, kPath = 19;
constexpr std::int64_t kMb = 1024 * 1024;

std::unique_ptr<TZKList> sheet(bool pathColumn)
{
    auto list = std::make_unique<TZKList>(kColumnCount, 0, BuiltInColumnDefinitions(), LocaleFormats::russian());
    if (pathColumn)
        list->Column(kPath).Pattern = QStringLiteral("%Path%");
    return list;
}

TzkRow* record(TZKList& list, const char* title, const char* size, const char* path = "", TzkRow* parent = nullptr)
{
    TzkRow* row = list.AddRow(parent);
    row->Fields[csTitle] = QString::fromUtf8(title);
    row->Fields[kSize] = QString::fromUtf8(size);
    row->Fields[kPath] = QString::fromUtf8(path);
    return row;
}

QString ids(const std::vector<const TzkRow*>& rows)
{
    QStringList list;
    for (const TzkRow* row : rows)
        list << QString::number(row->ID);
    return list.join(QLatin1Char(' '));
}

TEST(RescanTest, ByPathNewGoneAndMoved)
{
    const auto list = sheet(true);
    record(*list, "A", "700", "/films/A.avi");                 // 1 still there
    record(*list, "B", "800", "/films/B.avi");                 // 2 gone
    TzkRow* box = record(*list, "Box", "");                   // 3 a group without a path
    record(*list, "C", "900", "/films/old/C.avi", box);        // 4 moved, nested
    record(*list, "D", "100", "/elsewhere/D.avi");             // 5 outside the folder: not gone
    record(*list, "G", "500", "/films/G.avi");                 // 6 same name elsewhere, other size: gone
    record(*list, "H", "300", "/films/./x/../H.avi");          // 7 still there, written another way
    const std::vector<FoundFile> files{
        {QStringLiteral("/films/A.avi"), 700 * kMb},
        {QStringLiteral("/films/H.avi"), 300 * kMb},
        {QStringLiteral("/films/new/C.avi"), 900 * kMb},
        {QStringLiteral("/films/new/G.avi"), 501 * kMb},
        {QStringLiteral("/films/Two [1-2].avi"), 350 * kMb},
        {QStringLiteral("/films/Two [2-2].avi"), 350 * kMb},
        {QStringLiteral("/films/E.avi"), 10 * kMb},
    };
    const RescanReport report = MatchRescan(*list, QStringLiteral("/films/"), files, {});
    EXPECT_EQ(report.PathColumn, kPath);
    // The parts of one film are one new film, named by its first part.
    EXPECT_EQ(report.NewFiles, QStringList({QStringLiteral("/films/new/G.avi"), QStringLiteral("/films/Two [1-2].avi"), QStringLiteral("/films/E.avi")}));
    EXPECT_EQ(ids(report.Gone), QStringLiteral("2 6"));
    ASSERT_EQ(report.Moved.size(), 1u);
    EXPECT_EQ(report.Moved[0].Row->ID, 4);
    EXPECT_EQ(report.Moved[0].From, QStringLiteral("/films/old/C.avi"));
    EXPECT_EQ(report.Moved[0].To, QStringLiteral("/films/new/C.avi"));

    // A film recorded by its first part is known by any of its parts.
    record(*list, "Two", "700", "/films/Two [1-2].avi");
    EXPECT_EQ(MatchRescan(*list, QStringLiteral("/films"), files, {}).NewFiles, QStringList({QStringLiteral("/films/new/G.avi"), QStringLiteral("/films/E.avi")}));
}

TEST(RescanTest, ByTitleAndSizeWithoutAPathColumn)
{
    const auto list = sheet(false);
    record(*list, "The Film", "1400");
    record(*list, "Другой фильм", "");
    record(*list, "Two", "700");
    const std::vector<FoundFile> files{
        {QStringLiteral("/f/Film (Foreign).avi"), 1400 * kMb},    // known: title folded, size equal
        {QStringLiteral("/f/The Film.avi"), 1300 * kMb},          // another size: new
        {QStringLiteral("/f/ДРУГОЙ ФИЛЬМ.mkv"), 5 * kMb},         // known: the record has no size
        {QStringLiteral("/f/Two [1-2].avi"), 350 * kMb},          // known: the parts add up to the size
        {QStringLiteral("/f/Two [2-2].avi"), 350 * kMb},
        {QStringLiteral("/f/Gone.avi"), 1 * kMb},
    };
    const RescanReport report = MatchRescan(*list, QStringLiteral("/f"), files, {});
    EXPECT_EQ(report.PathColumn, -1);
    EXPECT_EQ(report.NewFiles, QStringList({QStringLiteral("/f/The Film.avi"), QStringLiteral("/f/Gone.avi")}));
    EXPECT_TRUE(report.Gone.empty()); // nothing can be known gone without paths
    EXPECT_TRUE(report.Moved.empty());

    // With a path column, records that hold no path yet are still matched by title.
    list->Column(kPath).Pattern = QStringLiteral("%Path%");
    EXPECT_EQ(MatchRescan(*list, QStringLiteral("/f"), files, {}).NewFiles, QStringList({QStringLiteral("/f/The Film.avi"), QStringLiteral("/f/Gone.avi")}));
}

} // namespace
