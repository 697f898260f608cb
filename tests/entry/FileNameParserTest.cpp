#include "TzkFileNameParser.h"

#include "../support/TestFiles.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace reelkeep;

namespace {

struct Parsed {
    QString name;
    QString origName;
    int partsCount;
};

class FileNameParserTest : public ::testing::Test {
protected:
    void touch(const QString& name) { test::WriteTestFile(dir.filePath(name), {}); }
    TzkFileNameParser parse(const QString& name)
    {
        TzkFileNameParser parser;
        parser.Parse(dir.filePath(name));
        return parser;
    }
    QTemporaryDir dir;
};

TEST_F(FileNameParserTest, TableOfNames)
{
    touch(QStringLiteral("Film.cd1.avi"));
    touch(QStringLiteral("Film.cd2.avi"));
    touch(QStringLiteral("Film.cd3.avi"));
    const struct {
        const char* file;
        Parsed expected;
    } rows[] = {
        {"Film.avi", {QStringLiteral("Film"), QString(), 1}},
        {"Film (Foreign).avi", {QStringLiteral("Film "), QStringLiteral("Foreign"), 1}},
        {"Film (Foreign) [1-2].avi", {QStringLiteral("Film "), QStringLiteral("Foreign"), 2}},
        {"Film [2].avi", {QStringLiteral("Film "), QString(), 1}},
        {"Film.cd1.avi", {QStringLiteral("Film"), QString(), 3}},
        {"Film", {QStringLiteral("Film"), QString(), 1}},
        {"vts_01_1.vob", {QStringLiteral("vts_01_1"), QString(), 1}},
        {"Film (Foreign.avi", {QStringLiteral("Film "), QStringLiteral("Film "), 1}},
        {"Film [x-y].avi", {QStringLiteral("Film "), QString(), 1}},
        {"Фильм (Кино) [1-3].mkv", {QStringLiteral("Фильм "), QStringLiteral("Кино"), 3}},
        {"Film [1-3] (Foreign).avi", {QStringLiteral("Film "), QStringLiteral("Foreign"), 3}},
    };
    for (const auto& row : rows) {
        const TzkFileNameParser parser = parse(QString::fromUtf8(row.file));
        EXPECT_EQ(parser.Name, row.expected.name) << row.file;
        EXPECT_EQ(parser.OrigName, row.expected.origName) << row.file;
        EXPECT_EQ(parser.PartsCount, row.expected.partsCount) << row.file;
        EXPECT_EQ(parser.IsDvd, QString::fromUtf8(row.file).endsWith(QLatin1String(".vob"))) << row.file;
        EXPECT_EQ(parser.Dir, dir.path()) << row.file;
    }
}

TEST_F(FileNameParserTest, CdProbingCountsFromTheFilesOwnNumberUpward)
{
    touch(QStringLiteral("Film.cd3.avi"));
    touch(QStringLiteral("Film.cd5.avi"));
    EXPECT_EQ(parse(QStringLiteral("Film.cd2.avi")).PartsCount, 3); // cd4 missing stops the count
    EXPECT_EQ(parse(QStringLiteral("Film.cd7.avi")).PartsCount, 7);
    // The infix is rebuilt in lower case, so an upper-case name probes lower-case siblings.
    const TzkFileNameParser upper = parse(QStringLiteral("Film.CD2.avi"));
    EXPECT_EQ(upper.Name, QStringLiteral("Film"));
    EXPECT_EQ(upper.PartPrefix, QStringLiteral("Film.cd"));
    EXPECT_EQ(upper.PartsCount, 3);
    EXPECT_EQ(upper.MakePartFileName(1), QStringLiteral("Film.cd1.avi"));
}

TEST_F(FileNameParserTest, OddNames)
{
    // A count that does not fit an integer, or zero, still gives one part.
    EXPECT_EQ(parse(QStringLiteral("Film [1-99999999999999].avi")).PartsCount, 1);
    EXPECT_EQ(parse(QStringLiteral("Film [1-0].avi")).PartsCount, 1);
    // Name made only of separators: the whole file name.
    EXPECT_EQ(parse(QStringLiteral("(x).avi")).Name, QStringLiteral("(x).avi"));
    EXPECT_EQ(parse(QStringLiteral(".cd1.avi")).Name, QStringLiteral(".cd1.avi"));
    // Not a DVD title-set file without "vts_" or with another extension.
    EXPECT_FALSE(parse(QStringLiteral("video_ts.vob")).IsDvd);
    EXPECT_FALSE(parse(QStringLiteral("vts_01_1.avi")).IsDvd);
    EXPECT_TRUE(parse(QStringLiteral("VTS_01_1.VOB")).IsDvd);
    // A bare name lies in the program folder.
    TzkFileNameParser bare;
    bare.ProgramDir = QStringLiteral("/opt/reelkeep");
    bare.Parse(QStringLiteral("Film.avi"));
    EXPECT_EQ(bare.Dir, QStringLiteral("/opt/reelkeep"));
}

TEST_F(FileNameParserTest, PartNamesWithDefaultAndOwnSeparators)
{
    const TzkFileNameParser square = parse(QStringLiteral("Film [1-3].avi"));
    EXPECT_EQ(square.PartPrefix, QStringLiteral("Film ["));
    EXPECT_EQ(square.PartSuffix, QStringLiteral("-3].avi"));
    EXPECT_EQ(square.MakePartFileName(2), QStringLiteral("Film [2-3].avi"));

    TzkFileNameParser parser(FileNameSeparators{QStringLiteral("{"), QStringLiteral("}"), QStringLiteral("<"), QStringLiteral(">")});
    parser.Parse(dir.filePath(QStringLiteral("Film {Foreign} <1-4>.avi")));
    EXPECT_EQ(parser.Name, QStringLiteral("Film "));
    EXPECT_EQ(parser.OrigName, QStringLiteral("Foreign"));
    EXPECT_EQ(parser.PartsCount, 4);
    EXPECT_EQ(parser.MakePartFileName(3), QStringLiteral("Film {Foreign} <3-4>.avi"));
}

} // namespace
