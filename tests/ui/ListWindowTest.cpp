// A list window: sheets, deleting, grouping and sorting, checked through the document and reelkeep-cli.
#include "GridModel.h"
#include "IniFile.h"
#include "RecordCommands.h"
#include "UiTestSupport.h"

#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QToolButton>

using namespace reelkeep;
using namespace reelkeep::testing;

class ListWindowTest : public QObject, MainWindowFixture {
    Q_OBJECT

private:

    QJsonObject saved() { return saveAndDump(list, path()); }
    bool buttonEnabled(const char* name) const
    {
        return list->findChild<QToolButton*>(QString::fromLatin1(name))->isEnabled();
    }

private slots:
    void init()
    {
        QVERIFY((list = openSampleInShownWindow("films.kdx")));
        list->grid()->expandAll();
    }
    void cleanup() { closeMainWindow(); }

    void sheetsAreAddedRenamedDeletedAndSaved()
    {
        QComboBox* sheets = list->sheetSelector();
        list->AddSheet();
        list->AddSheet();
        QCOMPARE(sheets->count(), 4);
        QCOMPARE(sheets->currentText(), QStringLiteral("Список3"));
        QCOMPARE(list->controller().statusTexts()[2], QStringLiteral("Листов:4"));
        QCOMPARE(list->controller().currentList()->GetColumnName(1), QStringLiteral("Название"));

        // Typing renames the current sheet; Tab alone changes nothing.
        sheets->lineEdit()->selectAll();
        QTest::keyClicks(sheets->lineEdit(), QStringLiteral("Cartoons"));
        QTest::keyClick(sheets->lineEdit(), Qt::Key_Return);
        QCOMPARE(sheets->count(), 4);
        QCOMPARE(list->controller().currentList()->Name, QStringLiteral("Cartoons"));

        // Deleting asks first; the first sheet is shown afterwards.
        prompts->answers = {PromptButton::No};
        list->DeleteSheet();
        QCOMPARE(sheets->count(), 4);
        prompts->answers = {PromptButton::Yes};
        list->DeleteSheet();
        QCOMPARE(sheets->currentIndex(), 0);
        QCOMPARE(list->grid()->model()->rowCount(), 5);
        // The next addition is numbered by the sheets before it.
        list->AddSheet();
        QCOMPARE(sheets->currentText(), QStringLiteral("Список3"));

        QStringList names;
        for (const QJsonValue& sheet : saved()[QStringLiteral("lists")].toArray())
            names << sheet[QStringLiteral("name")].toString();
        QCOMPARE(names, test::u({"Фильмы", "Сериалы", "Список2", "Список3"}));
        QVERIFY(!list->controller().isModified());

        // With one sheet left, deleting says it cannot.
        while (sheets->count() > 1) {
            prompts->answers = {PromptButton::Yes};
            list->DeleteSheet();
        }
        prompts->asked.clear();
        list->DeleteSheet();
        QCOMPARE(prompts->texts(), QStringLiteral("Невозможно удалить единственный список"));
    }

    void deletingAParentWithItsChildDeletesTheSubtreeOnce()
    {
        QVERIFY(!buttonEnabled("btnDelete"));
        click(rowIndex("Бригада"));
        click(rowIndex("Бригада 2"), Qt::ControlModifier);
        click(rowIndex("Амели"), Qt::ControlModifier);
        QVERIFY(buttonEnabled("btnDelete") && buttonEnabled("btnGroup"));
        prompts->answers = {PromptButton::Yes};
        QTest::keyClick(list->grid(), Qt::Key_Delete);
        QCOMPARE(prompts->texts(), QStringLiteral("Вы действительно желаете удалить?"));
        QVERIFY(!buttonEnabled("btnDelete"));
        QCOMPARE(ModelTitles(*list->grid()->model()), test::u({"Жмурки", "Матрица 2", "Шахматы"}));
        QCOMPARE(list->controller().statusTexts()[3], QStringLiteral("Записей на всех листах:4"));
        QCOMPARE(CliTitles(saved()), ModelTitles(*list->grid()->model()));
    }

    void groupingAfterSelectAllMakesOneRowWithCommonCells()
    {
        click(rowIndex("Шахматы"));
        QTest::keyClick(list->grid(), Qt::Key_A, Qt::ControlModifier);
        list->records().GroupSelected();
        QAbstractItemModel* model = list->grid()->model();
        QCOMPARE(model->rowCount(), 1);
        const QModelIndex group = model->index(0, 0);
        QCOMPARE(model->rowCount(group), 5);
        QCOMPARE(model->index(0, 1).data().toString(), QString()); // no common prefix of the titles
        QCOMPARE(model->index(0, 3).data().toString(), QStringLiteral("1440")); // 700 + 650 + 90, n/a left out
        QCOMPARE(model->index(0, 20).data().toString(), QStringLiteral("00FFFFFF"));
        // The last node in display order is current and selected, and the record controls follow it.
        QVERIFY(buttonEnabled("btnGroup"));
        const QModelIndex last = list->controller().model()->lastIndex();
        QVERIFY(last.parent().isValid());
        QCOMPARE(list->grid()->currentIndex().siblingAtColumn(0), last);
        QVERIFY(list->grid()->selectionModel()->isRowSelected(last.row(), last.parent()));
        list->grid()->expandAll();

        // Grouping the two parts: the common prefix is taken from the first, nested under their parent.
        click(rowIndex("Бригада 1"));
        click(rowIndex("Бригада 2"), Qt::ControlModifier);
        list->records().GroupSelected();
        const QJsonArray rows = saved()[QStringLiteral("lists")].toArray()[0][QStringLiteral("rows")].toArray();
        QCOMPARE(rows.size(), 1);
        const QJsonArray children = rows[0][QStringLiteral("children")].toArray();
        QJsonObject brigade;
        for (const QJsonValue& child : children)
            if (child[QStringLiteral("cells")].toArray()[1].toString() == QStringLiteral("Бригада"))
                brigade = child.toObject();
        const QJsonArray inner = brigade[QStringLiteral("children")].toArray();
        QCOMPARE(inner.size(), 1);
        QCOMPARE(inner[0][QStringLiteral("cells")].toArray()[1].toString(), QStringLiteral("Бригада "));
        QCOMPARE(inner[0][QStringLiteral("children")].toArray().size(), 2);
    }

    void columnWidthsAreSavedAndRestored()
    {
        QHeaderView* header = list->grid()->header();
        header->resizeSection(1, 222);
        main->menus().action("miSaveColWidth")->trigger();
        // Stored in the measure of the classic font, so the number differs; the width comes back.
        const int stored = list->controller().currentList()->Column(1).Width;
        QCOMPARE(IniFile(cli->path("setup.ini")).ReadInteger(QStringLiteral("Columns"), QStringLiteral("ColWidth1"), 0), stored);
        header->resizeSection(1, 40);
        header->resizeSection(20, 60);
        main->menus().action("miLoadColWidth")->trigger();
        QVERIFY2(qAbs(header->sectionSize(1) - 222) <= 1, qPrintable(QString::number(header->sectionSize(1))));
        QCOMPARE(header->sectionSize(20), 0);
    }
};

QTEST_MAIN(ListWindowTest)
#include "ListWindowTest.moc"
