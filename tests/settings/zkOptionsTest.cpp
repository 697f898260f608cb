#include "zkOptions.h"

#include "IniFile.h"
#include "ReelkeepError.h"

#include "../support/EnglishLines.h"
#include "../support/TestFiles.h"

#include <QTemporaryDir>

using namespace reelkeep;
using namespace reelkeep::test;

namespace {

const LocaleFormats kComma = LocaleFormats::russian();
const LocaleFormats kPoint = {QStringLiteral("MM/dd/yyyy"), QLatin1Char('.')};

class zkOptionsTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("setup.ini"));

    void put(const QByteArray& bytes) { WriteTestFile(path, bytes); }
    QByteArray bytes(const QString& name = QStringLiteral("setup.ini")) const { return ReadTestFile(dir.filePath(name)); }
    zkOptions load(const LocaleFormats& formats = kComma) const
    {
        zkOptions options(formats);
        options.LoadSettings(path);
        return options;
    }
};

} // namespace

TEST_F(zkOptionsTest, FirstStartWritesTheDefaultsAndASecondStartChangesNothing)
{
    load();
    // The print section whole: list and cover printing take their layout from it.
    EXPECT_TRUE(bytes().contains("[print]\nColumns=2,5,8,13,12\nColumnsWidth=80,4,30,10,10\nHeadLineStyle=solid\n"
                                 "VertLineStyle=solid\nHorLineStyle=dot\nKLineStyle=solid\nKCutLineStyle=dot\nKSLineStyle=dash\n"
                                 "KCutLineColor=clBlack\nKSLineColor=clBlack\nCoverFile=DefCover.cvr\nHeadLineWidth=0,3\n"
                                 "VertLineWidth=0,1\nHorLineWidth=0,1\nKLineWidth=0,3\nKCutLineWidth=0,1\nKSLineWidth=0,1\n["))
        << bytes().toStdString();

    // The default language file is created with the built-in texts.
    EXPECT_EQ(IniFile(dir.filePath(u("Russian.lng"))).ReadString(u("MainMenu"), u("Exit"), QString()), u("&Выход"));

    const QByteArray settings = bytes(), language = bytes(u("Russian.lng"));
    load();
    EXPECT_EQ(bytes(), settings);
    EXPECT_EQ(bytes(u("Russian.lng")), language);
}

TEST_F(zkOptionsTest, PresentKeysAreNotTouchedWhateverTheirValue)
{
    put("[ShortCut]\ncol1=check\n[Columns]\nContrlX3=50\nColName4=\n[Options]\nDefLanguageFile=../elsewhere/English.lng\n");
    const zkOptions options = load();
    EXPECT_EQ(options.ColShortCut[1], u("check"));
    EXPECT_EQ(options.ContrlX[3], 50);
    EXPECT_EQ(options.ColName[4], QString());
    EXPECT_TRUE(bytes().startsWith("[ShortCut]\ncol1=check\n"));
    // The language file is looked for in the program folder only.
    EXPECT_EQ(options.DefLanguageFile, u("../elsewhere/English.lng"));
    EXPECT_TRUE(QFile::exists(dir.filePath(u("English.lng"))));
}

TEST_F(zkOptionsTest, OldKeysAreMigrated)
{
    put("[columnsname]\ncol3=Year\n"
        "[columnswidth]\ncol2=77\ncol5=-1\n"
        "[Auto]\nCol3=%Year%\nCol8=\n"
        "[Columns]\nColType5=0\nColAutoText7=%Genre%\nColPattern9=kept\n");
    const zkOptions options = load();
    EXPECT_EQ(options.ColName[3], u("Year"));
    EXPECT_EQ(options.ColPattern[3], u("%Year%"));
    EXPECT_EQ(options.ColWidth[2], 77);
    EXPECT_EQ(options.ColWidth[5], 118);
    EXPECT_EQ(options.ColType[5], ctString);
    EXPECT_EQ(options.ColPattern[7], u("%Genre%"));
    EXPECT_EQ(options.ColPattern[8], QString());
    EXPECT_EQ(options.ColPattern[9], u("kept"));
    const IniFile ini(path);
    for (const char* section : {"columnsname", "columnswidth", "auto"})
        EXPECT_FALSE(ini.SectionExists(u(section))) << section;
    for (const char* key : {"ColType5", "ColAutoText7", "DefaultColAutoText3", "DefaultColAutoText7"})
        EXPECT_FALSE(ini.ValueExists(u("Columns"), u(key))) << key;
}

TEST_F(zkOptionsTest, ColoursAndPenStylesInEveryFormAndWidthsWrittenInTheLocalesForm)
{
    put("[Options]\nUseMDIPanel=2\n[Print]\nKCutLineStyle=DashDot\nKCutLineColor=255\nKSLineColor=$00123456\n"
        "KCutLineWidth=0,25\n");
    zkOptions options = load(kPoint);
    EXPECT_TRUE(options.UseMDIPanel);
    EXPECT_EQ(options.KCutLine.Style, psDashDot);
    EXPECT_EQ(options.KCutLine.Color, 0xFFu);
    EXPECT_EQ(options.KSLine.Color, 0x123456u);
    EXPECT_EQ(options.KCutLine.Width, 0.25f);

    // Colours are written by name where they have one; widths with the locale's separator.
    for (const auto& [formats, width] : {std::pair{kPoint, "0.100000001490116"}, {kComma, "0,100000001490116"}}) {
        zkOptions saved = load(formats);
        saved.KSLine.Width = 0.1f;
        saved.SaveSettings(path);
        const IniFile ini(path);
        EXPECT_EQ(ini.ReadString(u("Print"), u("KSLineWidth"), QString()), u(width));
        EXPECT_EQ(ini.ReadString(u("Print"), u("KCutLineStyle"), QString()), u("dashdot"));
        EXPECT_EQ(ini.ReadString(u("Print"), u("KCutLineColor"), QString()), u("clRed"));
        EXPECT_EQ(ini.ReadString(u("Print"), u("KSLineColor"), QString()), u("$00123456"));
    }
    EXPECT_EQ(zkOptions::ColorToText(0xFF00000F), u("clBtnFace"));
    EXPECT_EQ(zkOptions::ColorFromText(u("clwhite")), 0xFFFFFFu);
    EXPECT_EQ(zkOptions::ColorFromText(u("-1")), 0xFFFFFFFFu);
    EXPECT_THROW(zkOptions::ColorFromText(u("purple")), ConversionError);
    EXPECT_EQ(zkOptions::PenStyleToText(6), QString());
    EXPECT_EQ(zkOptions::PenStyleFromText(u("CLEAR")), psClear);
}

TEST_F(zkOptionsTest, BadValuesTakeTheirDefaultsWithOneWarningEach)
{
    put("[Options]\nsplitterpos=150\nUseMDIPanel=yes\nSearchCount=\n[Columns]\nColWidth3=wide\n"
        "[Print]\nKCutLineColor=notacolour\nKSLineColor=clRed\nKSLineStyle=wavy\nKCutLineWidth=thin\n");
    const zkOptions options = load();
    EXPECT_EQ(options.KCutLine.Color, 0u); // clBlack
    EXPECT_EQ(options.KSLine.Color, 0xFFu);
    EXPECT_EQ(options.KSLine.Style, psDash);
    EXPECT_FLOAT_EQ(options.KCutLine.Width, 0.1f);
    EXPECT_EQ(options.ColWidth[3], BuiltInColumnDefinitions()[3].width);
    EXPECT_FALSE(options.UseMDIPanel);
    EXPECT_EQ(options.SplitterPos, 150);
    // An empty value is no slip: SearchCount= gives no warning.
    const QStringList warnings = test::EnglishLines(options.LoadWarnings());
    ASSERT_EQ(warnings.size(), 5) << warnings.join(u("\n")).toStdString();
    for (const char* expected : {"[Print], key KCutLineColor: \"notacolour\"", "[Print], key KSLineStyle: \"wavy\"",
                                 "[Print], key KCutLineWidth: \"thin\"", "[Columns], key ColWidth3: \"wide\"",
                                 "[Options], key UseMDIPanel: \"yes\""}) {
        const auto named = std::count_if(warnings.begin(), warnings.end(), [&](const QString& warning) {
            return warning.startsWith(path + u(", section ")) && warning.contains(u(expected));
        });
        EXPECT_EQ(named, 1) << expected;
    }
    // The bad values stay in the file for the user to mend.
    EXPECT_EQ(IniFile(path).ReadString(u("Print"), u("KCutLineColor"), QString()), u("notacolour"));
}

TEST_F(zkOptionsTest, SaveRoundTripsAndQuickListLeftoversStayInTheFileButAreHidden)
{
    zkOptions options = load();
    options.ColName[4] = u("Диски");
    options.ColNamesWithDot[0] = true;
    options.ColPos[0] = 20;
    options.ContrlY[21] = 12;
    options.LastAviDir = u("/home/films");
    for (int n = 1; n <= 5; ++n) {
        options.ListComments << QStringLiteral("List %1").arg(n);
        options.ListFileNames << QStringLiteral("list%1.kdx").arg(n);
    }
    options.ListCount = 5;
    options.SaveSettings(path);
    options.ListComments = options.ListComments.mid(0, 3);
    options.ListFileNames = options.ListFileNames.mid(0, 3);
    options.ListCount = 3;
    options.SaveSettings(path);

    const IniFile ini(path);
    EXPECT_EQ(ini.ReadString(u("lists"), u("comm5"), QString()), u("List 5"));
    EXPECT_EQ(ini.ReadString(u("lists"), u("filename4"), QString()), u("list4.kdx"));
    const zkOptions reread = load();
    EXPECT_EQ(reread.ListCount, 3);
    EXPECT_EQ(reread.ListFileNames, (QStringList{u("list1.kdx"), u("list2.kdx"), u("list3.kdx")}));
    EXPECT_TRUE(reread.ColNamesWithDot[0]);
    EXPECT_EQ(reread.ContrlY[21], 12);
    EXPECT_EQ(reread.LastAviDir, u("/home/films"));
    EXPECT_EQ(reread.ColumnTemplate()[4].name, u("Диски"));
    EXPECT_EQ(reread.ColumnTemplate()[0].position, 20);

    // Nothing is written to a missing file.
    const QString other = dir.filePath(u("none.ini"));
    reread.SaveSettings(other);
    EXPECT_FALSE(QFile::exists(other));
}

TEST_F(zkOptionsTest, ReadOnlyFileIsOnlyRead)
{
    const QByteArray original = "[Columns]\nColType3=0\nColName1=Title\n[columnsname]\ncol2=Old\n";
    put(original);
    QFile::setPermissions(path, QFileDevice::ReadOwner);
    zkOptions options = load();
    EXPECT_EQ(options.ColType[3], ctString); // not deleted by the migration
    EXPECT_EQ(options.ColName[1], u("Title"));
    EXPECT_EQ(options.ColName[2], u("Оригинальное название"));
    options.SplitterPos = 5;
    options.SaveSettings(path);
    EXPECT_EQ(bytes(), original);
}

TEST_F(zkOptionsTest, FolderThatCannotBeWrittenIsUsedReadOnlyWithOneWarning)
{
    put("a file where the folder should be");
    const QString inside = path + u("/setup.ini");
    zkOptions options(kComma);
    options.LoadSettings(inside);
    ASSERT_EQ(options.LoadWarnings().size(), 1) << test::EnglishLines(options.LoadWarnings()).join(u("\n")).toStdString();
    EXPECT_TRUE(options.LoadWarnings()[0].english().startsWith(u("Unable to write to ") + inside));
    EXPECT_EQ(options.ColName[1], u("Название"));
    EXPECT_EQ(options.SplitterPos, 200);
    EXPECT_EQ(options.LanguageTable.GetValue(u("MainMenu"), u("File")), u("&Файл"));

    // Settings that cannot be read at all (here: a folder by that name) are left alone.
    const QString unreadable = dir.filePath(u("folder.ini"));
    QDir().mkpath(unreadable);
    zkOptions defaults(kComma);
    defaults.LoadSettings(unreadable);
    ASSERT_EQ(defaults.LoadWarnings().size(), 1) << test::EnglishLines(defaults.LoadWarnings()).join(u("\n")).toStdString();
    EXPECT_TRUE(defaults.LoadWarnings()[0].english().contains(unreadable));
    EXPECT_EQ(defaults.SplitterPos, 200);
    EXPECT_TRUE(QFileInfo(unreadable).isDir());

    // In a writable folder, a language file marked read-only that lacks texts
    // gives the texts it holds and one warning naming it.
    const QString language = dir.filePath(u("Russian.lng"));
    WriteTestFile(language, "[MainMenu]\nFile=Datei\n");
    QFile::setPermissions(language, QFileDevice::ReadOwner);
    const zkOptions withLanguage = load();
    EXPECT_EQ(withLanguage.LanguageTable.GetValue(u("MainMenu"), u("File")), u("Datei"));
    ASSERT_EQ(withLanguage.LoadWarnings().size(), 1);
    EXPECT_TRUE(withLanguage.LoadWarnings()[0].english().contains(language));
}
