#include "ListPrinting.h"
#include "PrintTestSupport.h"
#include "ReelkeepError.h"
#include "TZKList.h"
#include "TzkPrinter.h"

#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace reelkeep;
using namespace reelkeep::test;

namespace {

// Pages at 254 dpi (10 pixels per millimetre) with 5 mm margins: the table's left
// edge B(0) lies at 50 + 50 = 100 pixels, its top at 100 pixels.
constexpr int kLeft = 100;
constexpr int kTop = 100;

class ListPrintingTest : public ::testing::Test {
protected:
    ListPrintingTest() { resetList(); }

    // Lists take their column names from the catalogue; here the built-in ones.
    void resetList()
    {
        list = TZKList(kColumnCount, 0, BuiltInColumnDefinitions(), LocaleFormats::russian());
        for (int i = 0; i < kStoredColumnCount; ++i)
            list.SetColumnName(i, BuiltInColumnDefinitions()[size_t(i)].name);
    }

    void addRows(int count)
    {
        for (int i = 1; i <= count; ++i) {
            TzkRow* row = list.AddRow();
            row->Fields[1] = QStringLiteral("Row %1").arg(i, 3, 10, QLatin1Char('0'));
            row->Fields[11] = QStringLiteral("19%1").arg(i % 100, 2, 10, QLatin1Char('0'));
            row->Fields[12] = QString::number(90 + i);
        }
    }

    std::vector<QImage> printImages(double heightMm = 297)
    {
        ImagePrintTarget target(210, heightMm, 254, 5);
        TzkPrinter out(target);
        PrintList(out, list, GridRows(list), settings);
        return target.Pages();
    }

    QStringList printPdf()
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setResolution(300);
        const QString pdf = dir.filePath(QStringLiteral("list.pdf"));
        printer.setOutputFileName(pdf);
        QPrinterTarget target(printer);
        TzkPrinter out(target);
        PrintList(out, list, GridRows(list), settings);
        return PdfPageTexts(pdf);
    }

    // Rows of horizontal strokes met going down column x, as (top, thickness).
    static std::vector<std::pair<int, int>> strokesDown(const QImage& page, int x)
    {
        std::vector<std::pair<int, int>> strokes;
        for (int y = 0; y < page.height(); ++y) {
            if (!Dark(page, x, y))
                continue;
            int end = y;
            while (Dark(page, x, end + 1))
                ++end;
            strokes.emplace_back(y, end - y + 1);
            y = end;
        }
        return strokes;
    }

    QTemporaryDir dir;
    TZKList list{kColumnCount, 0};
    ListPrintSettings settings;
};

} // namespace

TEST_F(ListPrintingTest, ThreeRowsWithDefaultColumns)
{
    addRows(3);
    settings.HorLineStyle = QStringLiteral("solid");
    const std::vector<QImage> pages = printImages();
    ASSERT_EQ(pages.size(), 1u);
    const QImage& page = pages[0];
    // Columns 80, 4, 30, 10 and 10 mm wide: boundaries every so many pixels.
    const int bounds[] = {0, 800, 840, 1140, 1240, 1340};
    const QRect table = InkBox(page, page.rect());
    EXPECT_EQ(table.left(), kLeft - 1);
    EXPECT_NEAR(table.right(), kLeft + 1340 + 1, 1);
    EXPECT_EQ(table.top(), kTop - 1);
    const int inside = table.bottom() - 5;
    for (int b : bounds)
        EXPECT_TRUE(Dark(page, kLeft + b, inside)) << b;
    EXPECT_NEAR(StrokeWidthAcross(page, kLeft, inside), 3, 1);     // frame: 0.3 mm
    EXPECT_EQ(StrokeWidthAcross(page, kLeft + 840, inside, 5), 1); // inner: 0.1 mm

    // Down the empty third column, right of its name: header top and bottom, lines above rows 2 and 3,
    // and the frame's bottom one row further down.
    const auto strokes = strokesDown(page, kLeft + 1130);
    ASSERT_EQ(strokes.size(), 5u);
    EXPECT_EQ(strokes[0].first, kTop - 1);
    EXPECT_NEAR(strokes[0].second, 3, 1);
    EXPECT_EQ(strokes[2].second, 1);
    EXPECT_EQ(strokes[3].second, 1);
    const int lineHeight = strokes[3].first - strokes[2].first;
    EXPECT_NEAR(strokes[4].first + 1 - strokes[3].first, lineHeight, 1);
    EXPECT_GT(lineHeight, 25); // 8-point text at 10 pixels per millimetre
    EXPECT_LT(lineHeight, 50);

    // The cells of columns 1, 4, 7, 12 and 11, left to right, under the column names.
    list.Row(0)->Fields[4] = QStringLiteral("2");
    list.Row(0)->Fields[7] = QStringLiteral("notes");
    const QStringList text = printPdf();
    ASSERT_EQ(text.size(), 1);
    EXPECT_TRUE(text[0].contains(QRegularExpression(QStringLiteral("Row 001 +2 +notes +91 +1901"))));
    EXPECT_TRUE(text[0].contains(QRegularExpression(QStringLiteral("Row 003 +93 +1903"))));
    // Names too wide for their column end in "...".
    const QString header = list.GetColumnName(1) + QStringLiteral(" +") + list.GetColumnName(7) + QStringLiteral(" +")
                           + list.GetColumnName(12).left(4) + QStringLiteral("\\.\\.\\. +") + list.GetColumnName(11);
    EXPECT_TRUE(text[0].contains(QRegularExpression(header))) << text[0].toStdString();
}

TEST_F(ListPrintingTest, AnEmptyListPrintsAFrameOneLineHigh)
{
    settings.HorLineStyle = QStringLiteral("solid");
    addRows(2);
    const auto withRows = strokesDown(printImages()[0], kLeft + 1130);
    ASSERT_EQ(withRows.size(), 4u);

    list.DeleteRow(list.Row(1));
    list.DeleteRow(list.Row(0));
    const std::vector<QImage> pages = printImages();
    ASSERT_EQ(pages.size(), 1u);
    const auto strokes = strokesDown(pages[0], kLeft + 1130);
    ASSERT_EQ(strokes.size(), 3u);
    // The header as before, and the frame's bottom where the first row would end.
    EXPECT_EQ(strokes[1], withRows[1]);
    EXPECT_NEAR(strokes[2].first, withRows[2].first, 1);
    EXPECT_NEAR(strokes[2].second, 3, 1);
}

TEST_F(ListPrintingTest, RowsRunOnToNewPagesUnderARepeatedHeader)
{
    addRows(150);
    const QStringList pages = printPdf();
    ASSERT_GE(pages.size(), 2);
    int next = 1;
    int firstPageRows = 0;
    for (const QString& page : pages) {
        EXPECT_TRUE(page.contains(list.GetColumnName(1))) << page.toStdString();
        for (const QString& line : page.split(QLatin1Char('\n'))) {
            const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("Row (\\d+)")).match(line);
            if (!m.hasMatch())
                continue;
            EXPECT_EQ(m.captured(1).toInt(), next);
            ++next;
        }
        if (firstPageRows == 0)
            firstPageRows = next - 1;
    }
    EXPECT_EQ(next, 151);

    // On a continued page the first slot under the header stays empty.
    const std::vector<QImage> images = printImages();
    ASSERT_EQ(images.size(), size_t(pages.size()));
    auto firstRowTop = [](const QImage& page) {
        const int headerBottom = strokesDown(page, kLeft + 1130)[1].first + 4;
        return InkBox(page, QRect(kLeft + 10, headerBottom, 700, 200)).top() - headerBottom;
    };
    EXPECT_GT(firstRowTop(images[1]) - firstRowTop(images[0]), 25);
    EXPECT_FALSE(InkBox(images[1], QRect(kLeft + 10, kTop + 3, 700, 25)).isNull()); // the header's names

    // The row that closes a page leaves a last page holding only the header.
    resetList();
    addRows(firstPageRows);
    const QStringList exact = printPdf();
    ASSERT_EQ(exact.size(), 2);
    EXPECT_TRUE(exact[1].contains(list.GetColumnName(1)));
    EXPECT_FALSE(exact[1].contains(QStringLiteral("Row")));
    list.DeleteRow(list.Row(firstPageRows - 1));
    EXPECT_EQ(printPdf().size(), 1);
}

TEST_F(ListPrintingTest, ColumnsBeyondTheWidthsAndNarrowColumns)
{
    addRows(3);
    list.Row(0)->Fields[4] = QStringLiteral("123456789");
    settings.HorLineStyle = QStringLiteral("solid");
    settings.Columns = QStringLiteral(" 2, 5 ,30,8,13");
    settings.ColumnsWidth = QStringLiteral("80,4,20");
    const QImage page = printImages()[0];
    const QRect table = InkBox(page, page.rect());
    EXPECT_NEAR(table.right(), kLeft + 1040 + 1, 1);
    // Column 30 has no cells and no name: between its boundaries only whole lines.
    for (int y = kTop; y < table.bottom(); ++y) {
        int ink = 0;
        for (int x = kLeft + 845; x < kLeft + 1035; ++x)
            ink += Dark(page, x, y) ? 1 : 0;
        EXPECT_TRUE(ink == 0 || ink > 150) << y;
    }
    // The 4 mm column shows "1...", within its boundaries.
    const QRect narrow = InkBox(page, QRect(kLeft + 803, kTop + 60, 35, 40));
    EXPECT_FALSE(narrow.isNull());
    EXPECT_LT(narrow.right(), kLeft + 840);

    for (const QString& bad : {QStringLiteral("2,,5"), QStringLiteral("2,x"), QStringLiteral("1.5")}) {
        settings.Columns = bad;
        ImagePrintTarget target(210, 297, 100, 5);
        {
            TzkPrinter out(target);
            EXPECT_THROW(PrintList(out, list, GridRows(list), settings), ConversionError) << bad.toStdString();
        }
        EXPECT_TRUE(target.Pages().empty());
    }
    settings.Columns = QStringLiteral("2");
    settings.ColumnsWidth = QStringLiteral("80,");
    EXPECT_NO_THROW(printImages());
    // Absurd widths from a damaged settings file print without overflowing a coordinate.
    settings.Columns = QStringLiteral("2,5,8");
    settings.ColumnsWidth = QStringLiteral("2000000000,2000000000,-2000000000");
    settings.HeadLineWidth = 1e12;
    settings.HorLineWidth = -5;
    EXPECT_NO_THROW(printImages());
}

TEST_F(ListPrintingTest, GridRowsFollowVisibleNestedRows)
{
    addRows(3);
    TzkRow* child = list.AddRow(list.Row(0));
    list.AddRow(child);
    list.Row(1)->Filtered = true;
    const std::vector<const TzkRow*> rows = GridRows(list);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0], list.Row(0));
    EXPECT_EQ(rows[1], child);
    EXPECT_EQ(rows[2], child->Child(0));
    EXPECT_EQ(rows[3], list.Row(2));
}
