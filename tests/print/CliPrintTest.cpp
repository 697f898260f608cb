// End-to-end tests of the print and cover commands of reelkeep-cli: each runs the
// tool as a user would and reads the PDF or layout file it writes.
#include "CliRunner.h"
#include "PrintTestSupport.h"
#include "TestFiles.h"
#include "TzkReelkeep.h"
#include "ZKCover.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace reelkeep {
namespace {

using testing::CliRun;

class CliPrint : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(cli.isValid());
        TzkReelkeep doc(BuiltInColumnDefinitions(), LocaleFormats::russian());
        TZKList* list = doc.AddList(0, QStringLiteral("Фильмы"));
        for (int i = 0; i < kStoredColumnCount; ++i)
            list->SetColumnName(i, BuiltInColumnDefinitions()[size_t(i)].name);
        // Titles in reverse order, so the printed order shows the sort by column 1.
        for (int i = 120; i >= 1; --i) {
            TzkRow* row = list->AddRow();
            row->Fields[0] = QString::number(1000 + i);
            row->Fields[1] = QStringLiteral("Фильм %1").arg(i, 3, 10, QLatin1Char('0'));
            row->Fields[11] = QString::number(1900 + i);
        }
        list->Row(0)->Fields[4] = QStringLiteral("2");
        doc.SaveToFile(path("films.kdx"));
    }

    QString path(const char* name) const { return cli.path(name); }
    void write(const char* name, const QByteArray& bytes) const { test::WriteTestFile(path(name), bytes); }

    testing::CliRunner cli;
};

TEST_F(CliPrint, PrintListWritesTheSortedTableOnPagesWithHeaders)
{
    write("setup.ini", "[print]\ncolumns=1,2,12\ncolumnswidth=20,80,15\n");
    const CliRun printed = cli.run({"print-list", "films.kdx", "--pdf", "list.pdf"});
    ASSERT_EQ(printed.status, 0) << printed.err.constData();
    // Sorted by title (column 1), with the columns setup.ini names, under a header on every page.
    const QStringList pages = test::PdfPageTexts(path("list.pdf"));
    ASSERT_GE(pages.size(), 2);
    int next = 1;
    const QRegularExpression row(QStringLiteral("(\\d+) +Фильм (\\d+) +(\\d+)"));
    for (const QString& page : pages) {
        EXPECT_TRUE(page.contains(QRegularExpression(QStringLiteral("ID +Название +Год")))) << page.toStdString();
        for (auto it = row.globalMatch(page); it.hasNext(); ++next) {
            const QRegularExpressionMatch m = it.next();
            EXPECT_EQ(QList({m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt()}), QList({1000 + next, next, 1900 + next}));
        }
    }
    EXPECT_EQ(next, 121);

    // Bad values print with their defaults, each told once with its file, section and key.
    write("setup.ini", "[print]\ncolumns=1,,12\nHeadLineWidth=abc\nHorLineStyle=wavy\nVertLineWidth=\n");
    const CliRun bad = cli.run({"print-list", "films.kdx", "--pdf", "bad.pdf"});
    ASSERT_EQ(bad.status, 0) << bad.err.constData();
    // (Qt may add notes of its own about the display.)
    const QStringList warnings = QString::fromUtf8(bad.err).split(QLatin1Char('\n')).filter(QRegularExpression(QStringLiteral("^Warning: ")));
    ASSERT_EQ(warnings.size(), 3) << bad.err.constData();
    const QString prefix = QStringLiteral("Warning: ") + path("setup.ini") + QStringLiteral(", section [print], key ");
    EXPECT_TRUE(warnings[0].startsWith(prefix + QStringLiteral("Columns: \"1,,12\""))) << warnings[0].toStdString();
    EXPECT_TRUE(warnings[1].startsWith(prefix + QStringLiteral("HeadLineWidth: \"abc\""))) << warnings[1].toStdString();
    EXPECT_TRUE(warnings[2].startsWith(prefix + QStringLiteral("HorLineStyle: \"wavy\""))) << warnings[2].toStdString();
    // The default columns: the title first, no ID.
    const QString first = test::PdfPageTexts(path("bad.pdf")).value(0);
    EXPECT_TRUE(first.contains(QRegularExpression(QStringLiteral("^ *Название"), QRegularExpression::MultilineOption))) << first.toStdString();
    EXPECT_TRUE(first.contains(QStringLiteral("Фильм 001")));
    EXPECT_FALSE(first.contains(QStringLiteral("1001")));
    // A settings file that cannot be read at all: every default, and one warning.
    QFile::remove(path("setup.ini"));
    ASSERT_TRUE(QDir().mkpath(path("setup.ini")));
    const CliRun unreadable = cli.run({"print-list", "films.kdx", "--pdf", "unreadable.pdf"});
    ASSERT_EQ(unreadable.status, 0) << unreadable.err.constData();
    EXPECT_EQ(unreadable.err.count("Warning: "), 1) << unreadable.err.constData();
    EXPECT_TRUE(unreadable.err.contains("setup.ini\": it is a folder, not a file that can be read; the default settings are used"))
        << unreadable.err.constData();
    EXPECT_EQ(cli.run({"print-list", "films.kdx"}).status, 1);
}

TEST_F(CliPrint, PrintCoverPrintsAPagePerDisc)
{
    write("cover.json", R"js({"type": 3, "shapes": [
        {"kind": "text", "x": 5, "y": 5, "width": 110, "height": 10, "text": "%ID+Part%%Part%: %Name% (%Year%)"},
        {"kind": "line", "x": 5, "y": 20, "width": 110, "height": 0}]})js");
    ASSERT_EQ(cli.run({"cover-save", "cover.json", "DefCover.cvr"}).status, 0);
    // The settings name DefCover.cvr in the program folder.
    const CliRun printed = cli.run({"print-cover", "films.kdx", "--pdf", "cover.pdf", "--id", "1"});
    ASSERT_EQ(printed.status, 0) << printed.err.constData();
    const QStringList pages = test::PdfPageTexts(path("cover.pdf"));
    ASSERT_EQ(pages.size(), 2);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("1120 #1: Фильм 120 (2020)"))) << pages[0].toStdString();
    EXPECT_TRUE(pages[1].contains(QStringLiteral("1121 #2: Фильм 120 (2020)"))) << pages[1].toStdString();

    // A layout named but missing or damaged is an error, and an older printout stays as it was.
    write("other.pdf", "older printout");
    write("damaged.cvr", "cvr10\x03\x02\x05");
    for (const char* layout : {"missing.cvr", "damaged.cvr"}) {
        const CliRun other = cli.run({"print-cover", "films.kdx", "--pdf", "other.pdf", "--id", "2", "--cover", layout});
        EXPECT_EQ(other.status, 2) << layout;
        EXPECT_TRUE(other.err.contains(layout)) << other.err.constData();
        EXPECT_EQ(test::ReadTestFile(path("other.pdf")), QByteArrayLiteral("older printout"));
    }
    // No layout named at all: the bare envelope outline.
    write("setup.ini", "[Print]\nCoverFile=\n");
    const CliRun bare = cli.run({"print-cover", "films.kdx", "--pdf", "bare.pdf", "--id", "2"});
    ASSERT_EQ(bare.status, 0) << bare.err.constData();
    EXPECT_EQ(test::PdfPageTexts(path("bare.pdf")).size(), 1);

    const CliRun unknown = cli.run({"print-cover", "films.kdx", "--pdf", "x.pdf", "--id", "999"});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_TRUE(unknown.err.contains("999"));
}

// The page size of every page of a PDF file, in points, as pdfinfo reports it.
static QStringList PdfPageSizes(const QString& pdf)
{
    QProcess process;
    process.start(QStringLiteral("pdfinfo"), {QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("9999"), pdf});
    process.waitForFinished(60000);
    QStringList sizes;
    const QRegularExpression size(QStringLiteral("Page +\\d+ size: +([\\d.]+ x [\\d.]+)"));
    for (auto it = size.globalMatch(QString::fromUtf8(process.readAllStandardOutput())); it.hasNext();)
        sizes << it.next().captured(1);
    return sizes;
}

TEST_F(CliPrint, LandscapePagesAndCoversTooLargeForThePage)
{
    const CliRun portrait = cli.run({"print-list", "films.kdx", "--pdf", "portrait.pdf"});
    const CliRun landscape = cli.run({"print-list", "films.kdx", "--pdf", "landscape.pdf", "--landscape"});
    ASSERT_EQ(portrait.status, 0) << portrait.err.constData();
    ASSERT_EQ(landscape.status, 0) << landscape.err.constData();
    const QStringList tall = PdfPageSizes(path("portrait.pdf")), wide = PdfPageSizes(path("landscape.pdf"));
    ASSERT_FALSE(tall.isEmpty());
    EXPECT_EQ(tall.front(), QStringLiteral("595 x 842"));
    EXPECT_EQ(wide.front(), QStringLiteral("842 x 595"));
    EXPECT_GT(wide.size(), tall.size()); // fewer rows on a lower page

    // A sleeve 272 mm wide is cut off on a portrait page, and the tool says so.
    write("cover.json", R"js({"type": 2, "shapes": []})js");
    ASSERT_EQ(cli.run({"cover-save", "cover.json", "sleeve.cvr"}).status, 0);
    const CliRun cut = cli.run({"print-cover", "films.kdx", "--pdf", "cut.pdf", "--id", "1", "--cover", "sleeve.cvr"});
    EXPECT_EQ(cut.status, 0);
    EXPECT_TRUE(cut.err.contains("Warning: the cover is larger than the page")) << cut.err.constData();
    const CliRun whole = cli.run({"print-cover", "films.kdx", "--pdf", "whole.pdf", "--id", "1", "--cover", "sleeve.cvr", "--landscape"});
    EXPECT_EQ(whole.status, 0);
    EXPECT_FALSE(whole.err.contains("Warning")) << whole.err.constData();
    EXPECT_EQ(PdfPageSizes(path("whole.pdf")), QStringList(2, QStringLiteral("842 x 595")));
}

TEST_F(CliPrint, CoverJsonRoundTripsThroughTheLayoutFile)
{
    const QString shipped = qEnvironmentVariable("REELKEEP_DATA") + QStringLiteral("/DefCover.cvr");
    const CliRun shown = cli.run({"cover", shipped});
    ASSERT_EQ(shown.status, 0) << shown.err.constData();
    const QJsonObject json = QJsonDocument::fromJson(shown.out).object();
    EXPECT_EQ(json[QStringLiteral("type")].toInt(), 0);
    EXPECT_EQ(json[QStringLiteral("shapes")][0][QStringLiteral("text")].toString(), QStringLiteral("%Name%"));

    // Saving the shown JSON gives the shipped file back, byte for byte.
    write("shown.json", shown.out);
    ASSERT_EQ(cli.run({"cover-save", "shown.json", "again.cvr"}).status, 0);
    EXPECT_EQ(test::ReadTestFile(path("again.cvr")), test::ReadTestFile(shipped));

    write("bad.json", R"js({"type": 1, "shapes": [{"kind": "circle"}]})js");
    const CliRun bad = cli.run({"cover-save", "bad.json", "bad.cvr"});
    EXPECT_EQ(bad.status, 2);
    EXPECT_TRUE(bad.err.contains("shape 1")) << bad.err.constData();
    write("damaged.cvr", "cvr10\x01\x02\x05");
    const CliRun damaged = cli.run({"cover", "damaged.cvr"});
    EXPECT_EQ(damaged.status, 2);
    EXPECT_TRUE(damaged.err.contains("damaged.cvr"));
}

} // namespace
} // namespace reelkeep
