#include "AtomicPrinterOutput.h"
#include "FileIO.h"
#include "PrintTestSupport.h"
#include "ReelkeepError.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace reelkeep;

TEST(AtomicPrinterOutput, TheFileIsReplacedOnlyWhenTheJobEndedWell)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("list.pdf"));
    WriteFileAtomically(pdf, "older printout");
    const auto print = [&](bool commit) {
        QPrinter printer(QPrinter::HighResolution);
        PreparePdfPrinter(printer, pdf);
        AtomicPrinterOutput output(printer);
        {
            QPrinterTarget target(printer);
            TzkPrinter out(target);
            out.BeginDoc();
            out.PageCanvas.drawText(100, 100, QStringLiteral("new page"));
            out.EndPage();
            // A job given up half way: the painter is never ended properly.
            if (!commit)
                return;
            out.EndDoc();
        }
        output.commit();
    };

    print(false);
    EXPECT_EQ(ReadWholeFile(pdf), QByteArrayLiteral("older printout"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("list.pdf")});
    print(true);
    const QStringList pages = test::PdfPageTexts(pdf);
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("new page")));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("list.pdf")});

    // A folder that cannot take the file fails before anything is drawn.
    QPrinter printer(QPrinter::HighResolution);
    PreparePdfPrinter(printer, dir.filePath(QStringLiteral("no/such/folder/list.pdf")));
    EXPECT_THROW(AtomicPrinterOutput{printer}, FileError);
}
