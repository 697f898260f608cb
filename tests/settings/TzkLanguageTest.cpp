#include "TzkLanguage.h"

#include "IniFile.h"
#include "ReelkeepError.h"

#include "../support/TestFiles.h"
#include "../support/ErrorMessage.h"

#include <QSet>
#include <QTemporaryDir>

using namespace reelkeep;
using namespace reelkeep::test;

namespace {
const QString kShippedEnglish = QStringLiteral(REELKEEP_TEST_DATA_DIR "/English.lng");
} // namespace

TEST(TzkLanguage, BuiltInTableAndExactLookup)
{
    const TzkLanguage table;
    QSet<QString> pairs;
    for (const LanguageEntry& entry : table.Entries)
        pairs.insert(entry.Section + u("/") + entry.Key);
    EXPECT_EQ(pairs.size(), table.Count) << "a section and key given twice";

    EXPECT_EQ(table.GetValue(u("Other"), u("Column")), u("Колонка "));
    EXPECT_EQ(ErrorMessage([&] { table.GetValue(u("sbmessage"), u("Ready")); }), u("Constant in translating module not found"));
    EXPECT_THROW(table.GetValue(u("SBMessage"), u("ready")), ReelkeepError);
}

TEST(TzkLanguage, LoadingTakesWhatTheFileHoldsAndCompletesIt)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u("Partial.lng"));
    WriteTestFile(path, "[sbmessage]\nREADY = Done\n[Elsewhere]\nReady=ignored\n");
    TzkLanguage table;
    table.LoadFromFile(path);
    EXPECT_EQ(table.GetValue(u("SBMessage"), u("Ready")), u("Done"));
    EXPECT_EQ(table.GetValue(u("MainMenu"), u("Exit")), u("&Выход"));
    EXPECT_EQ(table.GetValue(u("Other"), u("Column")), u("Колонка")); // loses its trailing blank

    const IniFile written(path);
    for (const LanguageEntry& entry : table.Entries)
        EXPECT_TRUE(written.ValueExists(entry.Section, entry.Key)) << entry.Section.toStdString() << "/" << entry.Key.toStdString();
    EXPECT_EQ(written.ReadString(u("Elsewhere"), u("Ready"), QString()), u("ignored"));
    EXPECT_EQ(written.ReadString(u("Statistic"), u("Caption"), QString()), u("Статистика по"));

    // A file that cannot be completed still gives the texts it holds.
    WriteTestFile(path, "[SBMessage]\nReady=Read only\n");
    QFile::setPermissions(path, QFileDevice::ReadOwner);
    EXPECT_THROW(table.LoadFromFile(path), FileError);
    EXPECT_EQ(table.GetValue(u("SBMessage"), u("Ready")), u("Read only"));
}

TEST(TzkLanguage, SwitchingKeepsThePreviousTextOfMissingKeys)
{
    QTemporaryDir dir;
    const QString second = dir.filePath(u("Second.lng")), english = dir.filePath(u("English.lng"));
    WriteTestFile(second, "[MainMenu]\nFile=Datei\n");
    ASSERT_TRUE(QFile::copy(kShippedEnglish, english));
    TzkLanguage table;
    table.LoadFromFile(english);
    EXPECT_EQ(table.GetValue(u("SysMessage"), u("SaveFile")), u("Save?"));
    table.LoadFromFile(second);
    EXPECT_EQ(table.GetValue(u("MainMenu"), u("File")), u("Datei"));
    EXPECT_EQ(table.GetValue(u("SysMessage"), u("SaveFile")), u("Save?"));
    EXPECT_EQ(IniFile(second).ReadString(u("SysMessage"), u("SaveFile"), QString()), u("Save?"));
}

TEST(TzkLanguage, ShippedEnglishIsCompleteAndTranslated)
{
    const IniFile english(kShippedEnglish);
    for (const LanguageEntry& entry : TzkLanguage().Entries) {
        const QString text = english.ReadString(entry.Section, entry.Key, QString());
        EXPECT_FALSE(text.isEmpty()) << entry.Key.toStdString();
        for (const QChar c : text)
            EXPECT_LT(c.unicode(), 128) << entry.Key.toStdString();
    }
}
