#include "Message.h"
#include "Plural.h"
#include "ReelkeepError.h"

#include "../support/TestFiles.h"

#include <gtest/gtest.h>

#include <QHash>

using namespace reelkeep;
using reelkeep::test::u;

TEST(Plural, RussianEnglishAndSingleForms)
{
    const QString russian = u("запись|записи|записей");
    const std::pair<qint64, const char*> cases[] = {
        {0, "записей"}, {1, "запись"}, {2, "записи"}, {4, "записи"}, {5, "записей"}, {11, "записей"},
        {12, "записей"}, {14, "записей"}, {21, "запись"}, {22, "записи"}, {25, "записей"}, {101, "запись"},
        {111, "записей"}, {112, "записей"}, {1021, "запись"}, {-1, "запись"}, {-3, "записи"}};
    for (const auto& [count, form] : cases)
        EXPECT_EQ(PluralForm(russian, count), u(form)) << count;
    EXPECT_EQ(PluralForm(u("record|records"), 1), u("record"));
    EXPECT_EQ(PluralForm(u("record|records"), 0), u("records"));
    EXPECT_EQ(PluralForm(u("record|records"), 21), u("records"));
    EXPECT_EQ(PluralForm(u("records"), 1), u("records"));
}

TEST(Message, RendersThroughTheLookupAndFallsBackToEnglish)
{
    const QHash<QString, QString> russian{{u("DiskFull"), u("диск заполнен")},
                                          {u("CannotSave"), u("Не удаётся сохранить «%1»: %2.")}};
    const MessageLookup lookup = [&russian](const QString& key) { return russian.value(key); };
    // A file name holding "%2" is shown as it stands, and the reason in the same language.
    const Message message = Message("CannotSave").arg(u("a%2.kdx")).arg(Message("DiskFull"));
    EXPECT_EQ(message.render(lookup), u("Не удаётся сохранить «a%2.kdx»: диск заполнен."));
    EXPECT_EQ(message.english(), u("Cannot save \"a%2.kdx\": the disk is full."));
    // A table without the key shows the built-in English, never the key's name.
    EXPECT_EQ(Message("DiskReadOnly").render(lookup), u("the disk is read-only"));
    EXPECT_EQ(Message("NoSuchKey").render(lookup), QString());
    EXPECT_EQ(Message::Verbatim(u("as %1 is")).arg(u("x")).render(lookup), u("as %1 is"));
    EXPECT_TRUE(Message().isEmpty());
    EXPECT_FALSE(Message::Verbatim(u("x")).isEmpty());
}

TEST(Message, CountChoosesThePluralFormAndStandsForN)
{
    const MessageLookup lookup = [](const QString&) {
        return u("В записи %n диск, не больше %2.|В записи %n диска, не больше %2.|В записи %n дисков, не больше %2.");
    };
    const auto discs = [&](qint64 n) { return Message("TooManyCoverDiscs").arg(n).arg(1000).count(n).render(lookup); };
    EXPECT_EQ(discs(1001), u("В записи 1001 диск, не больше 1000."));
    EXPECT_EQ(discs(1002), u("В записи 1002 диска, не больше 1000."));
    EXPECT_EQ(discs(1011), u("В записи 1011 дисков, не больше 1000."));
    EXPECT_EQ(Message("TooManyCoverDiscs").arg(5000).arg(1000).count(5000).english(),
              u("The record has 5000 discs; covers are printed for at most 1000 discs."));
}

TEST(Message, ErrorsKeepTheEnglishTextForTheTool)
{
    const FileError error(Message("CannotSaveUnchanged").arg(u("films.kdx")).arg(Message("DiskFull")));
    EXPECT_EQ(error.message(), u("Cannot save \"films.kdx\": the disk is full. The file is unchanged."));
    EXPECT_STREQ(error.what(), "Cannot save \"films.kdx\": the disk is full. The file is unchanged.");
    EXPECT_EQ(error.text().key(), u("CannotSaveUnchanged"));
    EXPECT_EQ(ReelkeepError(u("plain")).text().render(nullptr), u("plain"));
}
