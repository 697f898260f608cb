#include "IniFile.h"
#include "ReelkeepError.h"

#include "../support/TestFiles.h"
#include "../support/ErrorMessage.h"

#include <QTemporaryDir>

using namespace reelkeep;
using namespace reelkeep::test;

namespace {

class IniFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("setup.ini"));

    void put(const QByteArray& bytes) { WriteTestFile(path, bytes); }
    QByteArray bytes() const { return ReadTestFile(path); }
};

} // namespace

TEST_F(IniFileTest, ReadsWithoutCaseTrimmedAndUnquoted)
{
    put("; comment = not a key\r\n"
        "[Options]\r\n"
        "  StatusStat =  %TotalLength%  \r\n"
        "Quoted=\" padded \"\r\n"
        "Single='x'\r\n"
        "Half=\"open\r\n"
        "Empty=\r\n"
        "Name=\xCA\xEE\xEB\xEE\xED\xEA\xE0\r\n" // windows-1251
        "long=" + QByteArray(3000, 'a') + "\r\n"
        "[print]\r\n"
        "CoverFile=a.cvr\r\n");
    const IniFile ini(path);
    EXPECT_EQ(ini.ReadString(u("options"), u("statusstat"), u("d")), u("%TotalLength%"));
    EXPECT_EQ(ini.ReadString(u("OPTIONS"), u("Quoted"), u("d")), u(" padded "));
    EXPECT_EQ(ini.ReadString(u("Options"), u("Single"), u("d")), u("x"));
    EXPECT_EQ(ini.ReadString(u("Options"), u("Half"), u("d")), u("\"open"));
    EXPECT_EQ(ini.ReadString(u("Options"), u("Empty"), u("d")), QString());
    EXPECT_EQ(ini.ReadString(u("Options"), u("Name"), u("d")), u("Колонка"));
    EXPECT_EQ(ini.ReadString(u("Options"), u("long"), u("d")).size(), 2047);
    EXPECT_EQ(ini.ReadString(u("Print"), u("coverfile"), u("d")), u("a.cvr"));
    // A key of another section, a missing key: the default, without its trailing blanks.
    EXPECT_EQ(ini.ReadString(u("Print"), u("StatusStat"), u("Колонка  ")), u("Колонка"));
    EXPECT_EQ(ini.ReadString(u("Options"), u("comment"), u(" x ")), u(" x"));
    EXPECT_TRUE(ini.ValueExists(u("options"), u("EMPTY")));
    EXPECT_FALSE(ini.ValueExists(u("print"), u("Empty")));
    EXPECT_TRUE(ini.SectionExists(u("PRINT")));
    EXPECT_EQ(ini.ReadSection(u("print")), QStringList{u("CoverFile")});
}

TEST_F(IniFileTest, WritingKeepsEveryOtherLine)
{
    put("; my notes\r\n[Options]\r\nSearchCount = 1   \r\nOdd line without equals\r\n\r\n[Print]\r\nCoverFile=DefCover.cvr\r\n");
    IniFile ini(path);
    ini.WriteString(u("options"), u("searchcount"), u("2"));
    ini.WriteString(u("OPTIONS"), u("New"), u("Новый"));
    ini.WriteString(u("History"), u("LastAviDir"), u("/films\nsecond line"));
    EXPECT_EQ(bytes(), QByteArray("; my notes\r\n[Options]\r\nSearchCount =2\r\nOdd line without equals\r\n"
                                  "New=\xCD\xEE\xE2\xFB\xE9\r\n\r\n[Print]\r\nCoverFile=DefCover.cvr\r\n"
                                  "[History]\r\nLastAviDir=/films second line\r\n"));

    ini.DeleteKey(u("options"), u("NEW"));
    ini.EraseSection(u("history"));
    EXPECT_FALSE(ini.ValueExists(u("Options"), u("New")));
    EXPECT_FALSE(ini.SectionExists(u("History")));
    EXPECT_EQ(bytes(), QByteArray("; my notes\r\n[Options]\r\nSearchCount =2\r\nOdd line without equals\r\n"
                                  "\r\n[Print]\r\nCoverFile=DefCover.cvr\r\n"));

    // Writing the value a key already holds leaves the file alone.
    QFile::remove(path);
    ini.WriteString(u("Options"), u("SearchCount"), u("2"));
    EXPECT_FALSE(QFile::exists(path));
}

TEST_F(IniFileTest, UpdateWritesOnceAndRollsBackOnFailureKeepingPermissions)
{
    IniFile ini(path);
    ini.Update([&] {
        ini.WriteInteger(u("a"), u("x"), 1);
        ini.WriteBool(u("a"), u("y"), true);
        EXPECT_FALSE(QFile::exists(path));
    });
    EXPECT_EQ(bytes(), QByteArray("[a]\nx=1\ny=1\n"));

    EXPECT_THROW(ini.Update([&] {
        ini.WriteInteger(u("a"), u("x"), 5);
        throw ReelkeepError(u("stop"));
    }),
                 ReelkeepError);
    EXPECT_EQ(ini.ReadInteger(u("a"), u("x"), 0), 1);
    EXPECT_EQ(bytes(), QByteArray("[a]\nx=1\ny=1\n"));

    // The atomic replacement keeps the file's permissions.
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    ini.WriteInteger(u("a"), u("x"), 2);
    EXPECT_EQ(QFile::permissions(path) & 0x7077, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

TEST_F(IniFileTest, ReadOnlyOrUnwritableFileIsOnlyReadAndTheRefusalNamesIt)
{
    put("[a]\nx=1\n");
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadUser);
    EXPECT_TRUE(IniFile::IsMarkedReadOnly(path));
    // A regular file where the folder should be: refused even for root.
    for (const QString& file : QStringList{path, path + QStringLiteral("/setup.ini")}) {
        IniFile ini(file);
        const std::int32_t before = ini.ReadInteger(u("a"), u("x"), 0);
        EXPECT_EQ(ErrorMessage<FileError>([&] { ini.WriteInteger(u("a"), u("x"), 2); }), u("Unable to write to ") + file);
        EXPECT_EQ(ini.ReadInteger(u("a"), u("x"), 0), before);
    }
    EXPECT_EQ(bytes(), QByteArray("[a]\nx=1\n"));
}

TEST_F(IniFileTest, AQuotedEmptyValueIsEmptyAndALoneQuoteStays)
{
    put("[Options]\r\nNone=\"\"\r\nSingleNone=''\r\nQuote=\"\r\n");
    const IniFile ini(path);
    EXPECT_EQ(ini.ReadString(u("Options"), u("None"), u("d")), QString());
    EXPECT_EQ(ini.ReadString(u("Options"), u("SingleNone"), u("d")), QString());
    EXPECT_EQ(ini.ReadString(u("Options"), u("Quote"), u("d")), u("\""));
}
