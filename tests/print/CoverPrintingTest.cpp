#include "CoverPrinting.h"
#include "PrintTestSupport.h"
#include "FileIO.h"
#include "ReelkeepError.h"
#include "../support/ErrorMessage.h"
#include "TzkRow.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace reelkeep;
using namespace reelkeep::test;

namespace {

class CoverPrintingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ZKCover cover;
        cover.CoverType = 3;
        AddText(cover, 5, 5, 110, 10, QStringLiteral("Disc %ID+Part%%Part% of %Name% (%Year%)"));
        settings.CoverFile = dir.filePath(QStringLiteral("test.cvr"));
        cover.SaveToFile(settings.CoverFile);
        record.Fields[0] = QStringLiteral("10");
        record.Fields[1] = QStringLiteral("Зима %Name%");
        record.Fields[11] = QStringLiteral("1999");
    }

    QStringList printPdf()
    {
        return PrintPdfTexts(dir.filePath(QStringLiteral("covers.pdf")), [this](TzkPrinter& out) { PrintCovers(out, record, settings); });
    }

    std::vector<QImage> printImages()
    {
        ImagePrintTarget target(210, 297, 254, 5);
        TzkPrinter out(target);
        PrintCovers(out, record, settings);
        return target.Pages();
    }

    QTemporaryDir dir;
    CoverPrintSettings settings;
    TzkRow record;
};

} // namespace

TEST_F(CoverPrintingTest, OnePagePerDiscWithItsNumbers)
{
    record.Fields[4] = QStringLiteral("3");
    const QStringList pages = printPdf();
    ASSERT_EQ(pages.size(), 3);
    for (int disc = 1; disc <= 3; ++disc)
        EXPECT_TRUE(pages[disc - 1].contains(QStringLiteral("Disc %1 #%2 of Зима %Name% (1999)").arg(9 + disc).arg(disc)))
            << pages[disc - 1].toStdString();

    // One disc: the number alone and no part; an empty number is printed as it is, even for several discs.
    record.Fields[4].clear();
    EXPECT_TRUE(printPdf().value(0).contains(QStringLiteral("Disc 10 of Зима"))) << printPdf().value(0).toStdString();
    record.Fields[0].clear();
    record.Fields[4] = QStringLiteral("2");
    EXPECT_TRUE(printPdf().value(1).contains(QRegularExpression(QStringLiteral("Disc +#2 of Зима")))) << printPdf().value(1).toStdString();
}

TEST_F(CoverPrintingTest, BadNumbersFailBeforeAnythingIsPrinted)
{
    // A disc count or (with several discs) a number that is not an integer.
    for (const auto& [discs, number] : {std::pair("two", "10"), std::pair("2", "A12")}) {
        record.Fields[4] = QString::fromUtf8(discs);
        record.Fields[0] = QString::fromUtf8(number);
        ImagePrintTarget target(210, 297, 100, 5);
        {
            TzkPrinter out(target);
            EXPECT_THROW(PrintCovers(out, record, settings), ConversionError) << discs << " " << number;
        }
        EXPECT_TRUE(target.Pages().empty());
    }

    // Above a thousand discs nothing is printed (a damaged cell would print without end).
    record.Fields[0] = QStringLiteral("10");
    record.Fields[4] = QStringLiteral("1000");
    EXPECT_EQ(CoverDiscCount(record), 1000);
    for (const char* discs : {"1001", "2147483647"}) {
        record.Fields[4] = QString::fromUtf8(discs);
        EXPECT_THROW(CoverDiscCount(record), ReelkeepError) << discs;
    }

    // Zero discs still open and close the job, printing nothing.
    record.Fields[4] = QStringLiteral("0");
    const std::vector<QImage> pages = printImages();
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_TRUE(InkBox(pages[0]).isNull());
}

TEST_F(CoverPrintingTest, WithoutALayoutTheEnvelopeOutlinePrintsWithTheSettingsPens)
{
    settings.CoverFile.clear();
    settings.CutLine = {psSolid, 0.5f, Qt::black};
    settings.FoldLine = {psSolid, 0.2f, Qt::black};
    const std::vector<QImage> pages = printImages();
    ASSERT_EQ(pages.size(), 1u);
    // The page origin is the printable corner (5 mm in) and the cover adds the same
    // offset again: the cover's 0 mm lies at 100 pixels.
    EXPECT_NEAR(StrokeWidth(pages[0], 100, 900), 5, 1);              // cut (0,24)-(0,136)
    EXPECT_NEAR(StrokeWidth(pages[0], 250, 900), 2, 1);              // fold at 15 mm
    EXPECT_NEAR(StrokeWidth(pages[0], 800, 100 + 1420, true), 2, 1); // fold at 142 mm
    EXPECT_TRUE(InkBox(pages[0], QRect(300, 300, 1000, 1000)).isNull());
}

TEST_F(CoverPrintingTest, ANamedLayoutThatIsMissingOrDamagedFailsBeforeTheJob)
{
    const QString damaged = dir.filePath(QStringLiteral("damaged.cvr"));
    WriteFileAtomically(damaged, QByteArrayLiteral("cvr10\x03\x02\x05"));
    for (const QString& file : {dir.filePath(QStringLiteral("missing.cvr")), damaged}) {
        settings.CoverFile = file;
        ImagePrintTarget target(210, 297, 100, 5);
        {
            TzkPrinter out(target);
            EXPECT_TRUE(ErrorMessage([&] { PrintCovers(out, record, settings); }).contains(file)) << file.toStdString();
        }
        EXPECT_TRUE(target.Pages().empty());
    }
}

TEST(CoverFit, TheWholeLayoutMustLieInThePrintableArea)
{
    // A square layout with a text box of 60 x 10 mm at (x, y).
    const auto layout = [](float x, float y) {
        ZKCover cover;
        cover.CoverType = 3;
        AddText(cover, x, y, 60, 10, QStringLiteral("%Name%"));
        return cover.SaveToBytes();
    };
    const auto a4 = [](QPageLayout::Orientation orientation) {
        return PageMeasurements(QPageLayout(QPageSize(QPageSize::A4), orientation, QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter), 300);
    };
    const PrinterMeasurements portrait = a4(QPageLayout::Portrait), landscape = a4(QPageLayout::Landscape);
    // A4 less two 5 mm margins is 200 x 287 mm; the cover starts 5 mm into that.
    EXPECT_TRUE(CoverFitsPage(QByteArray(), portrait)); // the envelope
    EXPECT_FALSE(CoverFitsPage(QByteArray(), landscape));
    EXPECT_TRUE(CoverFitsPage(layout(130, 10), portrait)); // reaching 190 mm
    EXPECT_FALSE(CoverFitsPage(layout(140, 10), portrait)); // and 200 mm
    EXPECT_TRUE(CoverFitsPage(layout(10, 270), portrait)); // down to 280 mm
    EXPECT_FALSE(CoverFitsPage(layout(10, 275), portrait)); // and 285 mm
}
