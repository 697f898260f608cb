#include "TzkLanguage.h"

#include "IniFile.h"
#include "ReelkeepError.h"

#include "../support/TestFiles.h"
#include "../support/ErrorMessage.h"

#include "Message.h"

#include <QRegularExpression>
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

// Every message of the core is in both shipped tables: the built-in Russian one and
// English.lng, whose texts are the built-in English ones; each translation (each of
// its plural forms) fills the same places as the English text.
TEST(TzkLanguage, MessagesAreInBothShippedTables)
{
    const TzkLanguage table;
    const IniFile english(kShippedEnglish);
    static const QRegularExpression place(QStringLiteral("%[1-9n]"));
    static const QRegularExpression cyrillic(QStringLiteral("[\\x{0400}-\\x{04FF}]"));
    const auto places = [](const QString& text) {
        QSet<QString> found;
        for (const QRegularExpressionMatch& m : place.globalMatch(text))
            found.insert(m.captured());
        found.remove(u("%n"));
        return found;
    };
    ASSERT_FALSE(EnglishMessageTexts().empty());
    for (const MessageText& message : EnglishMessageTexts()) {
        const QString key = QString::fromLatin1(message.key);
        const QString builtInEnglish = QString::fromUtf8(message.english);
        EXPECT_EQ(english.ReadString(u("Messages"), key, QString()), builtInEnglish) << message.key;
        const QString russian = table.GetValue(u("Messages"), key);
        for (const QString& form : russian.split(u'|')) {
            EXPECT_TRUE(cyrillic.match(form).hasMatch()) << message.key;
            QSet<QString> wanted = places(builtInEnglish);
            // A count written as %n stands for the argument it is.
            if (form.contains(u("%n")))
                wanted.remove(u("%1"));
            EXPECT_EQ(places(form), wanted) << message.key;
        }
    }
}
