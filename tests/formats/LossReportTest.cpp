// What each catalogue form would lose, checked against what a save and a load
// really keep, and the form a catalogue is saved back in.
#include "FormatTestSupport.h"
#include "Biff8Workbook.h"
#include "LossReport.h"

#include <map>

namespace reelkeep::testing {
namespace {

using Counts = std::map<LossKind, qint64>;

Counts countsOf(const LossReport& report)
{
    Counts counts;
    for (const Loss& loss : report.Losses)
        counts[loss.Kind] = loss.Count;
    return counts;
}

// Two top-level records, the first with a child and a grandchild; images on a
// top-level and on a nested record; characters outside windows-1251 at both levels.
TzkReelkeep richCatalogue()
{
    TzkReelkeep doc;
    doc.SetAutor(QStringLiteral("Автор"));
    TZKList* list = doc.AddList(0, QStringLiteral("Фильмы"));
    list->Column(5).LogicalValue = QStringLiteral("есть");
    TzkRow* top = list->AddRow();
    top->Fields[csTitle] = QStringLiteral("Семь самураев");
    top->Fields[csOrigTitle] = QStringLiteral("七人の侍 🎬 Café");
    TzkRow* child = list->AddRow(top);
    child->Fields[csTitle] = QStringLiteral("日本");
    list->AddRow(child)->Fields[csTitle] = QStringLiteral("grandchild");
    list->AddRow()->Fields[csTitle] = QStringLiteral("plain");
    list->Images.AddImage("JPEG top", top->ID);
    list->Images.AddImage("JPEG nested", child->ID);
    return doc;
}

TEST(LossReport, EachFormReportsExactlyWhatItCannotHold)
{
    const TzkReelkeep doc = richCatalogue();
    using K = LossKind;
    // "七人の侍", "🎬" and "é" are six characters outside the code page, "日本" two more.
    const std::vector<std::pair<CatalogueForm, Counts>> expected{
        {CatalogueForm::Kdx21, {{K::Images, 2}, {K::Characters, 8}}},
        {CatalogueForm::Kdx20, {{K::Images, 1}, {K::NestedRecords, 2}, {K::Characters, 6}}},
        {CatalogueForm::Kdx13, {{K::Images, 2}, {K::NestedRecords, 2}, {K::Characters, 6}, {K::Author, 1}, {K::ColumnSettings, 1}}},
        {CatalogueForm::TextForm, {{K::Images, 2}, {K::NestedRecords, 2}, {K::Characters, 6}, {K::Author, 1}, {K::ColumnSettings, 1}}},
        {CatalogueForm::Xml, {}},
        {CatalogueForm::Xls, {{K::Images, 2}, {K::Author, 1}, {K::ColumnSettings, 1}}},
        {CatalogueForm::TextListing, {{K::Images, 2}, {K::NestedRecords, 2}, {K::Characters, 6}}},
    };
    for (const auto& [form, counts] : expected) {
        const LossReport report = FindLoss(doc.Lists(), form);
        EXPECT_EQ(countsOf(report), counts) << FormName(form).toStdString();
        EXPECT_FALSE(report.PreventsSaving());
    }
    // An image left behind by a record no longer there is lost even by the XML form.
    TzkReelkeep orphaned = richCatalogue();
    orphaned.Lists().List(0)->Images.AddImage("JPEG of no record", 99);
    EXPECT_EQ(countsOf(FindLoss(orphaned.Lists(), CatalogueForm::Xml)), (Counts{{K::Images, 1}}));
    const LossReport kdx20 = FindLoss(doc.Lists(), CatalogueForm::Kdx20);
    EXPECT_EQ(kdx20.Find(LossKind::Images)->FirstPlace.English(), QStringLiteral("the images of record 2 \"日本\" of list \"Фильмы\""));
    EXPECT_EQ(kdx20.Find(LossKind::NestedRecords)->FirstPlace.English(), QStringLiteral("record 2 \"日本\" of list \"Фильмы\""));
    EXPECT_EQ(FindLoss(doc.Lists(), CatalogueForm::Kdx21).Message(QStringLiteral("c.kdx")),
              QStringLiteral("Saving \"c.kdx\" as .kdx version 2.1 would lose:\n"
                             "- 2 images (the first: the images of record 1 \"Семь самураев\" of list \"Фильмы\"); "
                             ".xkdx keeps images, nesting and every character, the one form that loses nothing; "
                             ".kdx version 2.0 keeps images (but no nested records).\n"
                             "- 8 characters outside the windows-1251 code page, which become \"?\" (the first: \"七\" (U+4E03) "
                             "in column 2 of record 1 \"Семь самураев\" of list \"Фильмы\"); .xkdx and .xls keep them."));

    // A catalogue read back from a form it fits in loses nothing when saved there again.
    QTemporaryDir dir;
    for (const auto form : {CatalogueForm::Kdx20, CatalogueForm::Kdx21, CatalogueForm::Kdx13, CatalogueForm::Xml,
                            CatalogueForm::Xls}) {
        const QString file = dir.filePath(form == CatalogueForm::Xml ? QStringLiteral("c.xkdx")
                                              : form == CatalogueForm::Xls ? QStringLiteral("c.xls")
                                                                           : QStringLiteral("c.kdx"));
        doc.Save(file, form);
        TzkReelkeep back;
        if (form == CatalogueForm::Xml)
            back.LoadFromXML(file);
        else if (form == CatalogueForm::Xls)
            back.LoadFromExcel(file);
        else
            ASSERT_TRUE(back.LoadFromFile(file));
        EXPECT_EQ(back.LoadedForm(), form);
        EXPECT_TRUE(FindLoss(back.Lists(), form).IsEmpty()) << FormName(form).toStdString() << " "
                                                             << FindLoss(back.Lists(), form).Message(file).toStdString();
    }
}

TEST(LossReport, FormsThatCannotTakeSomeTextRefuseIt)
{
    TzkReelkeep doc;
    TZKList* list = doc.AddList(0, QStringLiteral("L"));
    TzkRow* row = list->AddRow();
    row->Fields[3] = QStringLiteral("bell\x07 and NUL") + QChar(0);
    row->Fields[14] = QStringLiteral("Ж").repeated(Biff8Workbook::kMaxWideText + 1);
    // A pair of surrogates is one character XML can store; a lone one is not.
    row->Fields[5] = QStringLiteral("🎬") + QChar(0xD800);

    const LossReport xml = FindLoss(doc.Lists(), CatalogueForm::Xml);
    EXPECT_TRUE(xml.PreventsSaving());
    EXPECT_EQ(countsOf(xml), (Counts{{LossKind::BadCharacters, 3}}));
    EXPECT_EQ(xml.Message(QStringLiteral("c.xkdx")),
              QStringLiteral("\"c.xkdx\" cannot be saved as .xkdx (XML):\n"
                             "- 3 control characters that XML cannot store (the first: U+0007 in column 3 of record 1 of "
                             "list \"L\"); .kdx and .xls keep them."));
    EXPECT_EQ(countsOf(FindLoss(doc.Lists(), CatalogueForm::TextForm))[LossKind::BadCharacters], 1);
    EXPECT_EQ(countsOf(FindLoss(doc.Lists(), CatalogueForm::Kdx21)), (Counts{{LossKind::Characters, 2}}));

    const LossReport xls = FindLoss(doc.Lists(), CatalogueForm::Xls);
    EXPECT_EQ(countsOf(xls), (Counts{{LossKind::LongTexts, 1}}));
    row->Fields[14].chop(1); // exactly the limit fits
    EXPECT_TRUE(FindLoss(doc.Lists(), CatalogueForm::Xls).IsEmpty());

    // A worksheet holds 65,535 records below its header row, at every nesting level.
    for (int r = 1; r < Biff8Workbook::kMaxRows - 1; ++r)
        list->AddRow(r % 2 ? row : nullptr);
    EXPECT_TRUE(FindLoss(doc.Lists(), CatalogueForm::Xls).IsEmpty());
    list->AddRow(row);
    EXPECT_EQ(countsOf(FindLoss(doc.Lists(), CatalogueForm::Xls)), (Counts{{LossKind::TooManyRecords, 1}}));
}

TEST(LossReport, TheOrdinarySaveWritesOnlyWhenNothingIsLost)
{
    // Characters are the one loss this save finds while encoding; every 8-bit writer must see it.
    QTemporaryDir dir;
    TzkReelkeep doc;
    TZKList* list = doc.AddList(0, QStringLiteral("Фильмы ё №"));
    TzkRow* row = list->AddRow();
    row->Fields[csTitle] = QStringLiteral("Café «ёлка»");
    for (const auto form : {CatalogueForm::Kdx13, CatalogueForm::Kdx20, CatalogueForm::Kdx21, CatalogueForm::TextListing,
                            CatalogueForm::Xml, CatalogueForm::Xls}) {
        const QString file = dir.filePath(QStringLiteral("c%1").arg(int(form)));
        const bool eightBit = form != CatalogueForm::Xml && form != CatalogueForm::Xls;
        EXPECT_EQ(doc.SaveIfNothingLost(file, form), !eightBit) << FormName(form).toStdString();
        EXPECT_EQ(QFile::exists(file), !eightBit);
    }
    row->Fields[csTitle] = QStringLiteral("Кафе «ёлка» — № 1");
    list->AddRow(row);
    EXPECT_TRUE(doc.SaveIfNothingLost(dir.filePath(QStringLiteral("c.kdx")), CatalogueForm::Kdx21));
    EXPECT_FALSE(doc.SaveIfNothingLost(dir.filePath(QStringLiteral("nested.kdx")), CatalogueForm::Kdx20));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("nested.kdx"))));
}

TEST(LossReport, SaveBackKeepsTheFormItWasReadFrom)
{
    const auto saving = [](const char* name, std::optional<CatalogueForm> loaded) {
        return FormForSaving(QString::fromUtf8(name), loaded);
    };
    EXPECT_EQ(saving("a.KDX", std::nullopt), CatalogueForm::Kdx21);
    EXPECT_EQ(saving("a.kdx", CatalogueForm::Kdx20), CatalogueForm::Kdx20);
    EXPECT_EQ(saving("a.kdx", CatalogueForm::Kdx13), CatalogueForm::Kdx13);
    EXPECT_EQ(saving("a.kdx", CatalogueForm::Xml), CatalogueForm::Kdx21);
    EXPECT_EQ(saving("a.xkdx", CatalogueForm::Kdx20), CatalogueForm::Xml);
    EXPECT_EQ(saving("a.xls", std::nullopt), CatalogueForm::Xls);
    EXPECT_EQ(saving("a.txt", CatalogueForm::Kdx20), CatalogueForm::TextListing);
    EXPECT_EQ(saving("a.pdf", CatalogueForm::Kdx20), std::nullopt);

    // 1.0 and 1.1 cannot be written: they are saved back as 2.1, which holds all they have.
    QTemporaryDir dir;
    const QString old = dir.filePath(QStringLiteral("old.kdx"));
    WriteTestFile(old, "kdx v1.1\r\n1\r\nL\r\n1\r\n" + TextNames(17, "N") + TextRow(17, "a"));
    TzkReelkeep doc;
    ASSERT_TRUE(doc.LoadFromFile(old));
    EXPECT_EQ(doc.LoadedForm(), CatalogueForm::Kdx21);
    EXPECT_TRUE(FindLoss(doc.Lists(), CatalogueForm::Kdx21).IsEmpty());
}

TEST(LossReport, TheLastTwoCodesOfTheBasicPlaneAreNoXmlCharacters)
{
    TzkReelkeep doc;
    TzkRow* row = doc.AddList(0, QStringLiteral("L"))->AddRow();
    row->Fields[2] = QStringLiteral("replacement ") + QChar(0xFFFD);
    row->Fields[3] = QStringLiteral("a") + QChar(0xFFFE);
    row->Fields[4] = QStringLiteral("b") + QChar(0xFFFF);
    const LossReport xml = FindLoss(doc.Lists(), CatalogueForm::Xml);
    EXPECT_EQ(countsOf(xml), (Counts{{LossKind::BadCharacters, 2}}));
    EXPECT_TRUE(xml.PreventsSaving());
    EXPECT_EQ(xml.Find(LossKind::BadCharacters)->FirstPlace.English(), QStringLiteral("U+FFFE in column 3 of record 1 of list \"L\""));
}

TEST(LossReport, AFormIsRefusedOnlyForWhatItCannotTakeAndThenSaysOnlyThat)
{
    TzkReelkeep doc;
    doc.SetAutor(QStringLiteral("Author"));
    TZKList* list = doc.AddList(0, QStringLiteral("L"));
    list->Column(5).LogicalValue = QStringLiteral("yes");
    TzkRow* row = list->AddRow();
    // Column settings and the author are the last losses a save only asks about.
    const LossReport asked = FindLoss(doc.Lists(), CatalogueForm::Xls);
    EXPECT_EQ(countsOf(asked), (Counts{{LossKind::Author, 1}, {LossKind::ColumnSettings, 1}}));
    EXPECT_FALSE(asked.PreventsSaving());
    EXPECT_TRUE(asked.Message(QStringLiteral("c.xls")).startsWith(QStringLiteral("Saving \"c.xls\" as")));

    // A text too long for a cell is the first loss that refuses the form.
    row->Fields[csTitle] = QStringLiteral("Ж").repeated(Biff8Workbook::kMaxWideText + 1);
    const LossReport refused = FindLoss(doc.Lists(), CatalogueForm::Xls);
    EXPECT_TRUE(refused.PreventsSaving());
    const QString message = refused.Message(QStringLiteral("c.xls"));
    EXPECT_TRUE(message.startsWith(QStringLiteral("\"c.xls\" cannot be saved as"))) << message.toStdString();
    EXPECT_EQ(message.count(QLatin1Char('\n')), 1) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("longer than an .xls cell holds"))) << message.toStdString();
}

} // namespace
} // namespace reelkeep::testing
