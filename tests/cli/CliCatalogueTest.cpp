// End-to-end tests of the catalogue commands of reelkeep-cli: each runs the tool
// as a user would and checks its output, the files it writes and its exit status.
#include "../support/CliRunner.h"
#include "CodePage.h"
#include "FileIO.h"
#include "TReelkeepSerialiazerV2_0.h"
#include "TzkReelkeep.h"

#include <QJsonArray>
#include <gtest/gtest.h>

namespace reelkeep::testing {
namespace {

class Cli : public ::testing::Test, protected CliRunner {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(isValid());
        TzkReelkeep doc(BuiltInColumnDefinitions(), LocaleFormats::russian());
        doc.SetAutor(QStringLiteral("Автор"));
        TZKList* list = doc.AddList(0, QStringLiteral("Фильмы"));
        list->SetColumnName(1, QStringLiteral("Название"));
        for (const char* title : {"Солярис", "Alien", "Брат"})
            list->AddRow()->Fields[1] = QString::fromUtf8(title);
        TzkRow* nested = list->AddRow(list->Row(1));
        nested->Fields[1] = QStringLiteral("Aliens\r\npart two");
        list->Images.AddImage("JPEGDATA", 2);
        doc.AddList(0, QStringLiteral("Second"))->AddRow()->Fields[1] = QStringLiteral("only");
        TReelkeepSerialiazerV2_0().Save(path("flat20.kdx"), doc.Lists());
        doc.SaveToFile(path("films.kdx"));
    }

    static QStringList titles(const QJsonObject& catalogue, int list)
    {
        QStringList out;
        for (const QJsonValue row : catalogue[QStringLiteral("lists")][list][QStringLiteral("rows")].toArray())
            out << row[QStringLiteral("cells")][1].toString();
        return out;
    }

    // The record trees of every list as JSON text, for comparisons that show the difference.
    static std::string rowsText(const QJsonObject& catalogue)
    {
        QJsonArray trees;
        for (const QJsonValue list : catalogue[QStringLiteral("lists")].toArray())
            trees.append(list[QStringLiteral("rows")]);
        return QJsonDocument(trees).toJson().toStdString();
    }
};

TEST_F(Cli, DumpShowsTheWholeCatalogueAsLoaded)
{
    const CliRun dump = run({"dump", path("films.kdx")});
    ASSERT_EQ(dump.status, 0) << dump.err.constData();
    const QJsonObject catalogue = dump.json();
    EXPECT_EQ(catalogue[QStringLiteral("autor")].toString(), QStringLiteral("Автор"));
    const QJsonObject list = catalogue[QStringLiteral("lists")][0].toObject();
    EXPECT_EQ(list[QStringLiteral("name")].toString(), QStringLiteral("Фильмы"));
    EXPECT_EQ(list[QStringLiteral("maxId")].toInt(), 4);
    ASSERT_EQ(list[QStringLiteral("columns")].toArray().size(), 22); // every column, the unnamed last one too
    EXPECT_EQ(list[QStringLiteral("columns")][1][QStringLiteral("name")].toString(), QStringLiteral("Название"));
    EXPECT_EQ(titles(catalogue, 0), (QStringList{QStringLiteral("Солярис"), QStringLiteral("Alien"), QStringLiteral("Брат")}));
    const QJsonObject child = list[QStringLiteral("rows")][1][QStringLiteral("children")][0].toObject();
    EXPECT_EQ(child[QStringLiteral("cells")][1].toString(), QStringLiteral("Aliens\r\npart two"));
    EXPECT_EQ(child[QStringLiteral("groupId")].toInt(), 2);

    // 2.0 keeps images (and no nesting); their digests are shown.
    const QJsonObject flat = run({"dump", path("flat20.kdx")}).json();
    const QJsonObject image = flat[QStringLiteral("lists")][0][QStringLiteral("images")][0].toObject();
    EXPECT_EQ(image[QStringLiteral("ownerId")].toInt(), 2);
    EXPECT_EQ(image[QStringLiteral("size")].toInt(), 8);
}

TEST_F(Cli, ExitStatusesTellUsageFailureAndUnknownSignature)
{
    WriteFileAtomically(path("other.kdx"), "kdx v9.9\r\n");
    WriteFileAtomically(path("films.dat"), ReadWholeFile(path("films.kdx")));
    EXPECT_EQ(run({"dump", path("other.kdx")}).status, 3);
    EXPECT_EQ(run({"dump", path("films.dat")}).status, 2);
    EXPECT_EQ(run({"dump", path("films.dat"), "--as-kdx"}).status, 0);
    const CliRun missing = run({"dump", path("missing.kdx")});
    EXPECT_EQ(missing.status, 2);
    EXPECT_TRUE(missing.err.contains("missing.kdx"));
    WriteFileAtomically(path("cut.kdx"), ReadWholeFile(path("films.kdx")).left(300));
    EXPECT_EQ(run({"dump", path("cut.kdx")}).status, 2);
    EXPECT_EQ(run({"dump"}).status, 1);
    EXPECT_EQ(run({"dump", path("films.kdx"), "--bogus"}).status, 1);
    EXPECT_EQ(run({"convert", path("films.kdx"), path("x.kdx"), "--kdx-version", "3.0"}).status, 1);
}

TEST_F(Cli, ConvertWritesEveryFormAndKeepsWhatItCarries)
{
    const QJsonObject original = run({"dump", path("films.kdx")}).json();
    for (const char* name : {"copy.kdx", "copy.xkdx"}) {
        ASSERT_EQ(run({"convert", path("films.kdx"), path(name)}).status, 0) << name;
        EXPECT_EQ(rowsText(run({"dump", path(name)}).json()), rowsText(original)) << name;
    }
    // Forms that hold less are written only when the loss is allowed.
    const CliRun refused = run({"convert", path("films.kdx"), path("copy.xls")});
    EXPECT_EQ(refused.status, 2);
    EXPECT_EQ(QString::fromUtf8(refused.err),
              QStringLiteral("Saving \"%1\" as .xls workbook would lose:\n- the author; .kdx version 2.0 "
                             "or 2.1 and .xkdx keep it.\nNothing was saved; --allow-loss saves anyway.\n").arg(path("copy.xls")));
    EXPECT_FALSE(QFile::exists(path("copy.xls")));
    ASSERT_EQ(run({"convert", path("films.kdx"), path("copy.xls"), "--allow-loss"}).status, 0);
    EXPECT_EQ(titles(run({"dump", path("copy.xls")}).json(), 0), titles(original, 0));

    ASSERT_EQ(run({"convert", path("films.kdx"), path("old.kdx"), "--kdx-version", "1.3", "--allow-loss"}).status, 0);
    EXPECT_TRUE(ReadWholeFile(path("old.kdx")).startsWith("kdx v1.3\r\n2\r\n"));
    EXPECT_EQ(titles(run({"dump", path("old.kdx")}).json(), 0), titles(original, 0));

    EXPECT_EQ(run({"convert", path("flat20.kdx"), path("flat21.kdx")}).status, 2);
    EXPECT_EQ(run({"convert", path("flat20.kdx"), path("flat21.kdx"), "--allow-loss"}).status, 0);

    ASSERT_EQ(run({"convert", path("films.kdx"), path("list.txt"), "--allow-loss"}).status, 0);
    EXPECT_TRUE(ReadWholeFile(path("list.txt")).contains(CodePage::Default().encode(u"Название: Солярис\r\n")));
    EXPECT_EQ(run({"convert", path("films.kdx"), path("films.pdf")}).status, 2);
}

TEST_F(Cli, ImagesGoThroughTheXmlFormAndBackUnchanged)
{
    const auto images = [this](const char* name) {
        const CliRun dump = run({"dump", path(name)});
        EXPECT_EQ(dump.status, 0) << name << dump.err.constData();
        return QJsonDocument(dump.json()[QStringLiteral("lists")][0][QStringLiteral("images")].toArray()).toJson().toStdString();
    };
    const std::string original = images("flat20.kdx");
    ASSERT_NE(original, QJsonDocument(QJsonArray()).toJson().toStdString());
    // The XML form loses nothing, so no --allow-loss is needed either way.
    ASSERT_EQ(run({"convert", path("flat20.kdx"), path("flat.xkdx")}).status, 0);
    EXPECT_EQ(images("flat.xkdx"), original);
    ASSERT_EQ(run({"convert", path("flat.xkdx"), path("back20.kdx"), "--kdx-version", "2.0"}).status, 0);
    EXPECT_EQ(images("back20.kdx"), original);
    // Into .kdx 2.1 the images are lost, and the refusal names the form that keeps them.
    const CliRun refused = run({"convert", path("flat.xkdx"), path("flat21.kdx")});
    EXPECT_EQ(refused.status, 2);
    EXPECT_TRUE(refused.err.contains(".xkdx keeps images, nesting and every character")) << refused.err.constData();
}

TEST_F(Cli, DeletingARecordTakesItsNestedRecordsAndAllTheirImages)
{
    TzkReelkeep doc(BuiltInColumnDefinitions(), LocaleFormats::russian());
    TZKList* list = doc.AddList(0, QStringLiteral("L"));
    TzkRow* parent = list->AddRow();
    TzkRow* nested = list->AddRow(parent);
    TzkRow* kept = list->AddRow();
    for (const TzkRow* row : {parent, nested, kept, nested})
        list->Images.AddImage(QByteArray("image of ") + QByteArray::number(row->ID), row->ID);
    doc.Save(path("nested.xkdx"), CatalogueForm::Xml);
    const QByteArray before = ReadWholeFile(path("nested.xkdx"));

    const CliRun unknown = run({"delete", path("nested.xkdx"), "--list", "1", "--id", "3", "--id", "9"});
    EXPECT_NE(unknown.status, 0);
    EXPECT_TRUE(unknown.err.contains("List 1 has no record 9; nothing was deleted.")) << unknown.err.constData();
    EXPECT_EQ(ReadWholeFile(path("nested.xkdx")), before);

    ASSERT_EQ(run({"delete", path("nested.xkdx"), "--list", "1", "--id", "1"}).status, 0);
    const QJsonObject after = run({"dump", path("nested.xkdx")}).json()[QStringLiteral("lists")][0].toObject();
    EXPECT_EQ(after[QStringLiteral("rows")].toArray().size(), 1);
    const QJsonArray images = after[QStringLiteral("images")].toArray();
    ASSERT_EQ(images.size(), 1);
    EXPECT_EQ(images[0][QStringLiteral("ownerId")].toInt(), 3);
}

TEST_F(Cli, TextWritesTheWholeTextForm)
{
    const CliRun text = run({"text", path("films.kdx")});
    ASSERT_EQ(text.status, 0);
    EXPECT_TRUE(text.out.startsWith(QByteArray("kdx v1.3\r\n2\r\n" + CodePage::Default().encode(u"Фильмы") + "\r\n3\r\n")));
    EXPECT_EQ(TzkReelkeep().LoadFromString(text.out), 4); // the top-level records of both lists
}

TEST_F(Cli, MergeAddsRecordsAndSavesInTheCataloguesOwnForm)
{
    TzkReelkeep incoming;
    incoming.AddList(0, QString())->AddRow()->Fields[1] = QStringLiteral("to the current list");
    incoming.AddList(0, QStringLiteral("Second"))->AddRow()->Fields[1] = QStringLiteral("by name");
    incoming.AddList(0, QStringLiteral("Third"))->AddRow()->Fields[1] = QStringLiteral("new list");
    WriteFileAtomically(path("add.txt"), incoming.SaveToString());
    ASSERT_EQ(run({"convert", path("films.kdx"), path("films.xkdx")}).status, 0);

    for (const char* catalogue : {"films.kdx", "films.xkdx"}) {
        const CliRun merge = run({"merge", path(catalogue), path("add.txt")});
        ASSERT_EQ(merge.status, 0) << merge.err.constData();
        const QJsonObject after = run({"dump", path(catalogue)}).json();
        EXPECT_EQ(titles(after, 0).last(), QStringLiteral("to the current list")) << catalogue;
        EXPECT_EQ(titles(after, 1), (QStringList{QStringLiteral("only"), QStringLiteral("by name")}));
        EXPECT_EQ(titles(after, 2), QStringList{QStringLiteral("new list")});
    }
    EXPECT_TRUE(ReadWholeFile(path("films.kdx")).startsWith("kdx v2.1"));

    const QByteArray before = ReadWholeFile(path("films.kdx"));
    WriteFileAtomically(path("bad.txt"), incoming.SaveToString().left(60));
    EXPECT_EQ(run({"merge", path("films.kdx"), path("bad.txt")}).status, 2);
    EXPECT_EQ(ReadWholeFile(path("films.kdx")), before);
}

TEST_F(Cli, SortAndFilterActOnOneList)
{
    const QJsonObject sorted = run({"sort", path("films.kdx"), "--list", "1", "--column", "1"}).json();
    EXPECT_EQ(titles(sorted, 0), (QStringList{QStringLiteral("Alien"), QStringLiteral("Брат"), QStringLiteral("Солярис")}));
    const CliRun twice = run({"sort", path("films.kdx"), "--list", "1", "--column", "1", "--column", "1", "--out", path("sorted.kdx")});
    ASSERT_EQ(twice.status, 0);
    EXPECT_EQ(titles(run({"dump", path("sorted.kdx")}).json(), 0),
              (QStringList{QStringLiteral("Солярис"), QStringLiteral("Брат"), QStringLiteral("Alien")}));
    EXPECT_EQ(run({"sort", path("films.kdx"), "--list", "5", "--column", "1"}).status, 2);
    EXPECT_EQ(run({"sort", path("films.kdx"), "--list", "1", "--column", "40"}).status, 1);
    EXPECT_EQ(run({"sort", path("films.kdx"), "--column", "1"}).status, 1);

    const CliRun filter = run({"filter", path("films.kdx"), "--list", "1", "--set", "1=б*"});
    ASSERT_EQ(filter.status, 0) << filter.err.constData();
    const QJsonArray rows = filter.json()[QStringLiteral("lists")][0][QStringLiteral("rows")].toArray();
    QStringList hidden;
    for (const QJsonValue row : rows)
        hidden << (row[QStringLiteral("filtered")].toBool() ? QStringLiteral("1") : QStringLiteral("0"));
    EXPECT_EQ(hidden.join(QString()), QStringLiteral("110"));
    EXPECT_EQ(filter.json()[QStringLiteral("lists")][0][QStringLiteral("columns")][1][QStringLiteral("filterText")].toString(), QStringLiteral("б*"));
    EXPECT_EQ(run({"filter", path("films.kdx"), "--list", "1", "--set", "nomask"}).status, 1);
}

TEST_F(Cli, MaskTellsWhichTextsMatch)
{
    const CliRun mask = run({"mask", "ёлк*", "Ёлки", "ЕЛКА", "палка"});
    ASSERT_EQ(mask.status, 0) << mask.err.constData();
    EXPECT_EQ(mask.out, QByteArray("1\n1\n0\n"));
    EXPECT_EQ(run({"mask"}).status, 1);
}

TEST_F(Cli, AnOptionLastWithoutItsValueIsAUsageError)
{
    const CliRun cut = run({"convert", path("films.kdx"), path("x.kdx"), "--kdx-version"});
    EXPECT_EQ(cut.status, 1);
    EXPECT_TRUE(cut.err.contains("--kdx-version needs a value")) << cut.err.constData();
    EXPECT_FALSE(QFile::exists(path("x.kdx")));
}

} // namespace
} // namespace reelkeep::testing
