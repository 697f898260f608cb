// Undo and redo as a person uses them in a list window: the Edit menu's items and keys,
// records and selection coming back, a typed word taken back whole, the modified mark.
#include "GridModel.h"
#include "TzkBtnEdit.h"
#include "TzkRecordPanel.h"
#include "UiTestSupport.h"

#include <QApplication>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QUndoView>

using namespace reelkeep;
using namespace reelkeep::testing;

class UndoWindowTest : public QObject, MainWindowFixture {
    Q_OBJECT

    QAction* action(const char* name) const { return main->menus().action(name); }
    QStringList selectedTitles() const
    {
        QStringList titles;
        for (const TzkRow* row : list->selectedRecords())
            titles << row->Fields[csTitle];
        return titles;
    }

private slots:
    void init()
    {
        QVERIFY((list = openSampleInShownWindow("films.kdx")));
        list->grid()->expandAll();
    }
    void cleanup() { closeMainWindow(); }

    void deleteThenUndoBringsBackRecordsAndSelection()
    {
        QVERIFY(!action("miUndo")->isEnabled());
        const QStringList titles = ModelTitles(*list->grid()->model());
        click(rowIndex("Амели"));
        click(rowIndex("Бригада"), Qt::ControlModifier);
        QCOMPARE(selectedTitles(), QStringList({QStringLiteral("Амели"), QStringLiteral("Бригада")}));
        prompts->answers = {PromptButton::Yes};
        action("miDelete")->trigger();
        QCOMPARE(ModelTitles(*list->grid()->model()).size(), titles.size() - 4);
        QCOMPARE(action("miUndo")->text(), QStringLiteral("&Отменить: удаление 2 записей"));

        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
        list->grid()->expandAll();
        QCOMPARE(ModelTitles(*list->grid()->model()), titles);
        QCOMPARE(selectedTitles(), QStringList({QStringLiteral("Амели"), QStringLiteral("Бригада")}));
        QCOMPARE(list->currentRecord()->Fields[csTitle], QStringLiteral("Амели"));
        QCOMPARE(list->recordPanel()->edit(csTitle)->edit()->text(), QStringLiteral("Амели"));
        QVERIFY(!list->controller().isModified());
        QCOMPARE(action("miRedo")->text(), QStringLiteral("&Повторить: удаление 2 записей"));

        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(ModelTitles(*list->grid()->model()).size(), titles.size() - 4);
        QVERIFY(list->controller().isModified());
    }

    void everyRecordDeletedComesBackWithCtrlZ()
    {
        const QStringList titles = ModelTitles(*list->grid()->model());
        list->grid()->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        prompts->answers = {PromptButton::Yes};
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
        QCOMPARE(list->grid()->model()->rowCount(), 0);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(ModelTitles(*list->grid()->model()), titles);
    }

    void typingThenUndoTakesBackTheWholeWord()
    {
        click(rowIndex("Амели"));
        QLineEdit* title = list->recordPanel()->edit(csTitle)->edit();
        title->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(title, Qt::Key_End);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral(" Poulain"));
        QCOMPARE(list->currentRecord()->Fields[csTitle], QStringLiteral("Амели Poulain"));
        QCOMPARE(list->controller().history().stack().count(), 1);

        // The key goes to the field, as the person typed there; the window's history answers it.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(list->currentRecord()->Fields[csTitle], QStringLiteral("Амели"));
        QCOMPARE(list->recordPanel()->edit(csTitle)->edit()->text(), QStringLiteral("Амели"));
        QCOMPARE(rowIndex("Амели").siblingAtColumn(1).data().toString(), QStringLiteral("Амели"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(list->currentRecord()->Fields[csTitle], QStringLiteral("Амели Poulain"));
    }

    void undoToTheSavedStateClearsTheModifiedMark()
    {
        click(rowIndex("Амели"));
        list->controller().setCell(list->currentRecord(), 3, QStringLiteral("651"));
        QVERIFY(list->isWindowModified());
        action("miSave")->trigger();
        QTRY_VERIFY(idle());
        QVERIFY(!list->isWindowModified());
        list->controller().setCell(list->currentRecord(), 3, QStringLiteral("652"));
        QVERIFY(list->isWindowModified());
        action("miUndo")->trigger();
        QVERIFY(!list->isWindowModified());
        action("miUndo")->trigger();
        QVERIFY(list->isWindowModified());
        QCOMPARE(list->currentRecord()->Fields[3], QStringLiteral("650"));

        // The history window lists the steps, the state as opened first.
        action("miUndoHistory")->trigger();
        auto* view = main->findChild<QUndoView*>(QStringLiteral("lvUndoHistory"));
        QVERIFY(view);
        QCOMPARE(view->model()->rowCount(), 3);
        QCOMPARE(view->model()->index(0, 0).data().toString(), QStringLiteral("Как было открыто"));
        QCOMPARE(view->model()->index(1, 0).data().toString(), QStringLiteral("ввод в поле «Размер»"));
    }
};

QTEST_MAIN(UndoWindowTest)
#include "UndoWindowTest.moc"
