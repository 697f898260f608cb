#include "IniFile.h"
#include "SettingsReader.h"
#include "zkOptions.h"

#include "../support/EnglishLines.h"
#include "../support/TestFiles.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace reelkeep;
using reelkeep::test::u;

// The forms the settings tests do not reach (overflow, mixed separators, the shortest
// float text), and one warning for each value that is there but cannot be used.
TEST(SettingsReaderTest, NumberFormsAndOneWarningPerBadValue)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u("setup.ini"));
    test::WriteTestFile(path, "[s]\ndec=-42\nhex=0x1F\nword=yes\ntwo=2\nzero=0\nbig=99999999999\nempty=\n"
                              "comma=0,1\nboth=1.000,5\nstyle=DashDot\nwavy=wavy\nlist=1, 2\n");
    const IniFile ini(path);
    std::vector<Message> messages;
    const SettingsReader read(ini, messages);
    EXPECT_EQ(read.Integer(u("s"), u("dec"), 7), -42);
    EXPECT_EQ(read.Integer(u("s"), u("hex"), 7), 31);
    for (const char* key : {"word", "big", "empty", "missing"})
        EXPECT_EQ(read.Integer(u("s"), u(key), 7), 7) << key;
    EXPECT_TRUE(read.Bool(u("s"), u("two"), false));
    EXPECT_FALSE(read.Bool(u("s"), u("zero"), true));
    for (const QChar sep : {QLatin1Char(','), QLatin1Char('.')}) {
        EXPECT_DOUBLE_EQ(read.Float(u("s"), u("comma"), 9, sep), 0.1);
        EXPECT_DOUBLE_EQ(read.Float(u("s"), u("both"), 9, sep), 9);
    }
    EXPECT_EQ(read.PenStyle(u("s"), u("style"), psSolid), psDashDot);
    EXPECT_EQ(read.PenStyle(u("s"), u("wavy"), psDot), psDot);
    const auto isList = [](const QString& text) { return text.contains(QLatin1Char(',')); };
    EXPECT_EQ(read.Text(u("s"), u("list"), u("9"), isList), u("1, 2"));
    EXPECT_EQ(read.Text(u("s"), u("word"), u("9"), isList), u("9"));
    // word, big, both (twice), wavy, word again; empty and missing values are no slip.
    const QStringList warnings = test::EnglishLines(messages);
    ASSERT_EQ(warnings.size(), 6) << warnings.join(u("\n")).toStdString();
    EXPECT_EQ(warnings[0], path + u(", section [s], key word: \"yes\" is not a valid value; the default \"7\" is used"));
    EXPECT_TRUE(warnings[4].contains(u("key wavy: \"wavy\" is not a valid value; the default \"dot\""))) << warnings[4].toStdString();

    EXPECT_EQ(IniFile::FloatToText(0.3, QLatin1Char('.')), u("0.3"));
    EXPECT_EQ(IniFile::FloatToText(2, QLatin1Char(',')), u("2"));
}
