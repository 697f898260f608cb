// The column settings dialog of a list window: one tab per sheet, the row editors
// writing through, Save reaching the catalogue (read back with reelkeep-cli), Cancel.
#include "MainMenu.h"
#include "TfmColumnsRen.h"
#include "UiTestSupport.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTreeWidget>

using namespace reelkeep;
using namespace reelkeep::testing;

class ColumnsDialogTest : public QObject, MainWindowFixture {
    Q_OBJECT

private:

    TfmColumnsRen* show()
    {
        main->menus().action("miListInfo")->trigger();
        return main->findChild<TfmColumnsRen*>();
    }
    template <typename T> static T* find(QWidget* dialog, const char* name)
    {
        return dialog->findChild<T*>(QString::fromLatin1(name));
    }
    static void edit(QWidget* dialog, const char* name, const QString& text)
    {
        auto* line = find<QLineEdit>(dialog, name);
        line->setText(text);
        emit line->textEdited(text);
    }
    static QTreeWidget* table(QWidget* dialog)
    {
        return qobject_cast<QTreeWidget*>(find<QTabWidget>(dialog, "TabControl1")->currentWidget());
    }
    static void selectRow(QWidget* dialog, int row)
    {
        table(dialog)->setCurrentItem(table(dialog)->topLevelItem(row));
    }
    QJsonArray columns(const QJsonObject& dump, int list) const
    {
        return dump[QStringLiteral("lists")].toArray()[list - 1][QStringLiteral("columns")].toArray();
    }

private slots:
    void init()
    {
        newProgramFolder();
        TestCatalogue three;
        for (const char* name : {"Фильмы", "Сериалы", "Мультфильмы"})
            three.sheet(name).record({{csTitle, "Остров"}});
        three.doc.SetAutor(QStringLiteral("Я"));
        three.doc.SaveToFile(cli->path("three.kdx"));
        startMainWindow();
        QVERIFY((list = openLoaded(cli->path("three.kdx"))));
    }
    void cleanup() { closeMainWindow(); }

    void cancelKeepsEverythingAndSaveWritesTheEditedSheetOnly()
    {
        // Cancel keeps the catalogue as it was; the dialog is freed after one use.
        TfmColumnsRen* dialog = show();
        selectRow(dialog, 1);
        edit(dialog, "edName", QStringLiteral("Заголовок"));
        edit(dialog, "edAutor", QStringLiteral("Другой"));
        find<QPushButton>(dialog, "btnCancel")->click();
        QVERIFY(!list->controller().isModified());
        QCOMPARE(list->controller().document()->Autor(), QStringLiteral("Я"));
        QCOMPARE(list->controller().currentList()->GetColumnName(1), BuiltInColumnDefinitions()[1].name);
        QTRY_VERIFY(!main->findChild<TfmColumnsRen*>());

        const QJsonObject before = dump(cli->path("three.kdx"));
        dialog = show();
        QVERIFY(dialog && dialog->isVisible());
        auto* tabs = find<QTabWidget>(dialog, "TabControl1");
        QCOMPARE(tabs->count(), 3);
        QCOMPARE(tabs->tabText(1), QStringLiteral("Сериалы"));
        QCOMPARE(find<QLineEdit>(dialog, "edAutor")->text(), QStringLiteral("Я"));

        tabs->setCurrentIndex(1);
        selectRow(dialog, 11);
        QCOMPARE(find<QLineEdit>(dialog, "edName")->text(), BuiltInColumnDefinitions()[11].name);
        auto* type = find<QComboBox>(dialog, "cbType");
        type->setCurrentIndex(2);
        emit type->activated(2);
        find<QCheckBox>(dialog, "cbNamesWithDot")->click();
        edit(dialog, "edLogicalVal", QStringLiteral("год"));
        selectRow(dialog, 3);
        QCOMPARE(find<QComboBox>(dialog, "cbType")->currentText(), QStringLiteral("Число"));
        QVERIFY(!find<QCheckBox>(dialog, "cbNamesWithDot")->isChecked());
        selectRow(dialog, 5);
        QVERIFY(find<QCheckBox>(dialog, "cbNamesWithDot")->isChecked());
        edit(dialog, "edName", QString());
        edit(dialog, "edAutor", QStringLiteral("Мы"));
        QCOMPARE(table(dialog)->topLevelItem(11)->text(1), QStringLiteral("Дата"));
        find<QPushButton>(dialog, "btnSave")->click();
        QVERIFY(!dialog->isVisible());
        QVERIFY(list->controller().isModified());

        // The second sheet is shown; its column 5 has left the filter and sort menus.
        list->controller().switchSheet(1);
        const QStringList sortItems = ActionTexts(main->menus().menu("miSortBy"));
        QVERIFY(!sortItems.contains(BuiltInColumnDefinitions()[5].name));
        QVERIFY(sortItems.contains(BuiltInColumnDefinitions()[11].name));

        QVERIFY(list->controller().save());
        QTRY_VERIFY(idle());
        const QJsonObject after = dump(cli->path("three.kdx"));
        QCOMPARE(after[QStringLiteral("autor")].toString(), QStringLiteral("Мы"));
        QCOMPARE(columns(after, 2)[11][QStringLiteral("type")].toInt(), 2);
        QCOMPARE(columns(after, 2)[11][QStringLiteral("namesWithDot")].toBool(), true);
        QCOMPARE(columns(after, 2)[11][QStringLiteral("logicalValue")].toString(), QStringLiteral("год"));
        QCOMPARE(columns(after, 2)[11][QStringLiteral("width")], columns(before, 2)[11][QStringLiteral("width")]);
        QCOMPARE(columns(after, 2)[5][QStringLiteral("name")].toString(), QString());
        QCOMPARE(columns(after, 1), columns(before, 1));
        QCOMPARE(columns(after, 3), columns(before, 3));
    }

    void theRowEditorsAreEmptyAndClosedWithoutASelectedRow()
    {
        TfmColumnsRen* dialog = show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        auto* name = find<QLineEdit>(dialog, "edName");
        QVERIFY(!name->isEnabled());
        const auto clickRow = [&](int row) {
            QTreeWidget* shown = table(dialog);
            const QRect cell = shown->visualItemRect(shown->topLevelItem(row));
            QTest::mouseClick(shown->viewport(), Qt::LeftButton, {}, cell.center());
        };
        clickRow(2);
        QVERIFY(name->isEnabled());
        QCOMPARE(name->text(), BuiltInColumnDefinitions()[2].name);
        auto* tabs = find<QTabWidget>(dialog, "TabControl1");
        QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(1).center());
        QCOMPARE(tabs->currentIndex(), 1);
        for (const char* editor : {"edName", "cbType", "edPattern", "edLogicalVal", "cbNamesWithDot", "cbSecondNames"})
            QVERIFY2(!find<QWidget>(dialog, editor)->isEnabled(), editor);
        QCOMPARE(name->text(), QString());
        QCOMPARE(find<QComboBox>(dialog, "cbType")->currentText(), QString());
        // A row of the shown sheet opens them again, with that row's values.
        clickRow(3);
        QVERIFY(name->isEnabled());
        QCOMPARE(name->text(), BuiltInColumnDefinitions()[3].name);
        find<QPushButton>(dialog, "btnCancel")->click();
    }
};

QTEST_MAIN(ColumnsDialogTest)
#include "ColumnsDialogTest.moc"
