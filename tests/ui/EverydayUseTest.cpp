// What a person meets using a list window from the keyboard and the mouse: quick search
// keys, the record clipboard across sheets, new sheet names, selecting by keys, the
// modified mark, the status text, questions on exit and an export that cannot replace
// its file; checked through the widgets, the document and reelkeep-cli.
#include "GridModel.h"
#include "MainMenu.h"
#include "TzkBtnEdit.h"
#include "TzkImagePanel.h"
#include "TzkLabeledColorBox.h"
#include "TzkRecordPanel.h"
#include "TfmProgress.h"
#include "UiTestSupport.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPlainTextEdit>
#include <QProcess>
#include <QProgressBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>

using namespace reelkeep;
using namespace reelkeep::testing;

namespace {

// Types a text key by key into the widget; QTest::keyClicks takes Latin-1 only.
void Type(QWidget* widget, const QString& text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// What a screen reader hears as the widget's name.
QString AccessibleName(QWidget* widget)
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(QAccessible::Name) : QString();
}

// Scripted prompts that also note which list window was active at each question.
class WatchingPrompts : public ScriptedPrompts {
public:
    PromptButton ask(const Prompt& prompt) override
    {
        activeAtQuestion << (area ? area->activeSubWindow() : nullptr);
        return ScriptedPrompts::ask(prompt);
    }
    QMdiArea* area = nullptr;
    QList<QMdiSubWindow*> activeAtQuestion;
};

} // namespace

class EverydayUseTest : public QObject, MainWindowFixture {
    Q_OBJECT

private:
    QToolButton* button(const char* name, TfmList* window = nullptr) const
    {
        return (window ? window : list)->findChild<QToolButton*>(QString::fromLatin1(name));
    }
    QString status(TfmList* window = nullptr) const { return (window ? window : list)->controller().statusTexts().back(); }
    QString currentTitle() const { return list->currentRecord() ? list->currentRecord()->Fields[csTitle] : QString(); }
    // Picks a sheet from the selector from the keyboard, as a person does after clicking it.
    void pickSheet(int index)
    {
        QComboBox* sheets = list->sheetSelector();
        QTest::mouseClick(sheets, Qt::LeftButton, {}, QPoint(4, sheets->height() / 2));
        QCOMPARE(QApplication::focusWidget(), sheets);
        while (sheets->currentIndex() != index)
            QTest::keyClick(QApplication::focusWidget(), sheets->currentIndex() < index ? Qt::Key_Down : Qt::Key_Up);
    }

private slots:
    void init()
    {
        QVERIFY((list = openSampleInShownWindow("films.kdx")));
        // Keys go where a person's would: to the focused widget of the active window.
        QVERIFY(QTest::qWaitForWindowActive(main.get()));
    }
    void cleanup() { closeMainWindow(); }

    void enterInTheQuickSearchBoxGoesToTheNextHit()
    {
        auto* box = list->findChild<QComboBox*>(QStringLiteral("cbSearch"));
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
        QWidget* focused = QApplication::focusWidget();
        QVERIFY(focused == box || focused == box->lineEdit());
        Type(focused, QStringLiteral("мат"));
        QCOMPARE(currentTitle(), QStringLiteral("Матрица 2"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(currentTitle(), QStringLiteral("Шахматы"));
        // Keypad Enter the same, wrapping round to the first hit; the text stays.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(currentTitle(), QStringLiteral("Матрица 2"));
        QCOMPARE(box->currentText(), QStringLiteral("мат"));
        QCOMPARE(box->count(), 0);
    }

    void copiedRecordsArePastedIntoTheSheetShown()
    {
        click(rowIndex("Амели"));
        click(rowIndex("Жмурки"), Qt::ControlModifier);
        main->menus().action("miCopy")->trigger();
        // An unnamed list without column names, so the text carries no sheet of its own.
        QByteArray head("kdx v1.3\r\n1\r\n\r\n2\r\n");
        for (int c = 0; c < kStoredColumnCount; ++c)
            head.append("\r\n");
        QVERIFY(QGuiApplication::clipboard()->text().toUtf8().startsWith(head));

        pickSheet(1);
        QCOMPARE(list->controller().currentList()->Name, QStringLiteral("Сериалы"));
        main->menus().action("miPaste")->trigger();
        QCOMPARE(status(), QStringLiteral("Добавлено записей: 2"));
        QCOMPARE(ModelTitles(*list->grid()->model()), test::u({"Остров", "Амели", "Жмурки"}));
        QCOMPARE(list->sheetSelector()->count(), 2);
        const QJsonObject saved = saveAndDump(list, path());
        QCOMPARE(CliTitles(saved, 2), test::u({"Остров", "Амели", "Жмурки"}));
        QCOMPARE(CliTitles(saved, 1).size(), 7);

        // Records of "Сериалы" go to the one sheet of a new catalogue; no sheet is made for them.
        click(rowIndex("Остров"));
        main->menus().action("miCopy")->trigger();
        prompts->files = {{cli->path("new.kdx"), 0}};
        main->menus().action("miNew")->trigger();
        TfmList* fresh = main->lists().back();
        QVERIFY(fresh != list && WaitLoaded(fresh));
        main->menus().action("miPaste")->trigger();
        QCOMPARE(fresh->controller().sheetNames(), test::u({"Фильмы"}));
        QCOMPARE(ModelTitles(*fresh->grid()->model()), test::u({"Остров"}));
        QCOMPARE(fresh->controller().currentList()->GetColumnName(csTitle), QStringLiteral("Название"));
    }

    void aNewSheetIsNumberedByTheSheetsBeforeIt()
    {
        QTest::mouseClick(button("btnAddList"), Qt::LeftButton);
        QCOMPARE(list->sheetSelector()->currentText(), QStringLiteral("Список2"));
        QTest::mouseClick(button("btnAddList"), Qt::LeftButton);
        QCOMPARE(list->sheetSelector()->currentText(), QStringLiteral("Список3"));
        QCOMPARE(list->controller().sheetNames(), test::u({"Фильмы", "Сериалы", "Список2", "Список3"}));
    }

    void selectingAllByKeysEnablesTheRecordCommands()
    {
        // No click first: the grid has the focus once the catalogue is loaded.
        QCOMPARE(QApplication::focusWidget(), list->grid());
        QVERIFY(!button("btnDelete")->isEnabled());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        QVERIFY(button("btnDelete")->isEnabled());
        QVERIFY(button("btnGroup")->isEnabled());
        QVERIFY(main->menus().action("miCopy")->isEnabled());
        QVERIFY(list->currentRecord());
        QVERIFY(list->recordPanel()->isEnabled());
        QTest::mouseClick(button("btnGroup"), Qt::LeftButton);
        QCOMPARE(list->controller().currentList()->RowCount(), 1);
        QCOMPARE(list->controller().currentList()->Row(0)->ChildCount(), 5);

        // Keys alone move the record shown.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Home);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
        QTest::keyPress(QApplication::focusWidget(), Qt::Key_Down);
        QVERIFY(list->currentRecord());
        QCOMPARE(list->recordPanel()->edit(csTitle)->edit()->text(), currentTitle());
    }

    void aModifiedWindowIsMarkedUntilSaved()
    {
        main->shell().options().UseMDIPanel = true;
        main->UpdateMDIPanel();
        QVERIFY(main->mdiPanel());
        QTRY_COMPARE(ButtonTips(main->mdiPanel()), test::u({"films.kdx"}));
        click(rowIndex("Амели"));
        QLineEdit* title = list->recordPanel()->edit(csTitle)->edit();
        QTest::mouseClick(title, Qt::LeftButton);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_End);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_X);
        QVERIFY(list->controller().isModified());
        QVERIFY(list->isWindowModified());
        QVERIFY(list->windowTitle().contains(QStringLiteral("[*]")));
        QTRY_COMPARE(ButtonTips(main->mdiPanel()), test::u({"films.kdx*"}));
        main->menus().action("miSave")->trigger();
        QTRY_VERIFY(idle());
        QVERIFY(!list->isWindowModified());
        QTRY_COMPARE(ButtonTips(main->mdiPanel()), test::u({"films.kdx"}));
    }

    void theStatusTextBelongsToTheLastCommand()
    {
        click(rowIndex("Амели"));
        main->menus().action("miCopy")->trigger();
        QCOMPARE(status(), QStringLiteral("Скопировано записей: 1"));
        main->menus().action("miPaste")->trigger();
        QCOMPARE(status(), QStringLiteral("Добавлено записей: 1"));
        QTest::mouseClick(button("btnAddRow"), Qt::LeftButton);
        QCOMPARE(status(), QStringLiteral("Готово"));
        main->menus().action("miPaste")->trigger();
        prompts->answers = {PromptButton::Yes};
        QTest::mouseClick(button("btnDelete"), Qt::LeftButton);
        QCOMPARE(status(), QStringLiteral("Готово"));
        main->menus().action("miPaste")->trigger();
        pickSheet(1);
        QCOMPARE(status(), QStringLiteral("Готово"));
    }

    void rowColoursAreOpaqueNamedAndReadable()
    {
        QComboBox* colours = list->recordPanel()->colourBox()->box();
        for (int i = 0; i < colours->count(); ++i) {
            QCOMPARE(colours->itemData(i).value<QColor>().alpha(), 255);
            QVERIFY(!colours->itemText(i).isEmpty());
        }
        QCOMPARE(colours->findText(QStringLiteral("transparent")), -1);
        const int black = colours->findText(QStringLiteral("Чёрный"));
        QVERIFY(black >= 0);

        // Black picked from the open list for a record: its text is drawn in white.
        click(rowIndex("Амели"));
        QTest::mouseClick(colours, Qt::LeftButton);
        QAbstractItemView* view = colours->view();
        QTRY_VERIFY(view->isVisible());
        QTest::keyClick(view, Qt::Key_Home);
        while (view->currentIndex().row() < black)
            QTest::keyClick(view, Qt::Key_Down);
        QTest::keyClick(view, Qt::Key_Return);
        QCOMPARE(list->currentRecord()->Fields[csColour], QStringLiteral("00000000"));
        const QModelIndex row = rowIndex("Амели");
        QCOMPARE(row.data(Qt::BackgroundRole).value<QBrush>().color(), QColor(Qt::black));
        QCOMPARE(row.data(Qt::ForegroundRole).value<QBrush>().color(), QColor(Qt::white));
        // A light row keeps black text.
        QCOMPARE(rowIndex("Шахматы").data(Qt::ForegroundRole).value<QBrush>().color(), QColor(Qt::black));
    }

    void everyControlHasANameAScreenReaderReads()
    {
        click(rowIndex("Амели"));
        QList<QToolButton*> buttons = list->findChild<QToolBar*>()->findChildren<QToolButton*>();
        buttons.removeIf([](const QToolButton* b) { return b->objectName() == QLatin1String("qt_toolbar_ext_button"); });
        for (const char* name : {"btnAddImage", "btnRemoveImage", "btnPrevImage", "btnNextImage"})
            buttons << list->recordPanel()->imagePanel()->findChild<QToolButton*>(QString::fromLatin1(name));
        QVERIFY(buttons.size() > 12);
        for (QToolButton* button : buttons) {
            QVERIFY2(!button->toolTip().isEmpty(), qPrintable(button->objectName()));
            QCOMPARE(AccessibleName(button), button->toolTip());
        }
        for (const char* name : {"cbLists", "cbSearchURL", "cbSearch", "cbSearchColumn"}) {
            auto* box = list->findChild<QComboBox*>(QString::fromLatin1(name));
            QCOMPARE(box->accessibleName(), box->toolTip());
        }
        // Each field by its column's whole name, however short its label is drawn.
        const TZKList* sheet = list->controller().currentList();
        TzkRecordPanel* panel = list->recordPanel();
        for (int c = 0; c < kStoredColumnCount - 1; ++c) {
            QWidget* field = panel->edit(c) ? static_cast<QWidget*>(panel->edit(c)->edit()) : panel->memo(c);
            if (!sheet->GetColumnName(c).isEmpty())
                QCOMPARE(AccessibleName(field), sheet->GetColumnName(c));
        }
        // A combo box is read by its value and labelled by the label tied to it.
        const auto labels = QAccessible::queryAccessibleInterface(panel->colourBox()->box())->relations(QAccessible::Label);
        QCOMPARE(labels.size(), 1);
        QCOMPARE(labels.front().first->text(QAccessible::Name), panel->colourBox()->label()->text());

        // Tab goes through the panel in reading order, line by line, left to right, from its first field.
        QList<QWidget*> fields{panel->colourBox()->box(), panel->memo(csActors), panel->memo(csDescription)};
        for (int c = 0; c < kStoredColumnCount - 1; ++c)
            if (panel->edit(c) && panel->edit(c)->isVisible())
                fields << panel->edit(c)->edit();
        const auto place = [panel](QWidget* w) { return w->mapTo(panel, QPoint(0, 0)); };
        const auto before = [](QPoint a, QPoint b) { return b.y() > a.y() + 2 || (std::abs(b.y() - a.y()) <= 2 && b.x() > a.x()); };
        std::sort(fields.begin(), fields.end(), [&](QWidget* a, QWidget* b) { return before(place(a), place(b)); });
        fields.front()->setFocus();
        QList<QPoint> visited;
        for (int i = 0; i < 30; ++i) {
            QWidget* focused = QApplication::focusWidget();
            if (!focused || !panel->isAncestorOf(focused))
                break;
            visited << place(focused);
            QTest::keyClick(focused, Qt::Key_Tab);
        }
        QCOMPARE(visited.size(), fields.size());
        for (qsizetype i = 1; i < visited.size(); ++i) {
            const QPoint a = visited[i - 1], b = visited[i];
            QVERIFY2(before(a, b),
                     qPrintable(QStringLiteral("stop %1 at %2,%3 after %4,%5").arg(i).arg(b.x()).arg(b.y()).arg(a.x()).arg(a.y())));
        }
    }

    void aWindowAppearsOnceItsCatalogueIsReadWithItsOwnProgressBelow()
    {
        WriteSampleCatalogue(cli->path("more.kdx"));
        WriteSampleCatalogue(cli->path("most.kdx"));
        const auto shownProgress = [this] {
            QStringList texts;
            for (const TfmProgress* progress : main->statusBar()->findChildren<TfmProgress*>())
                if (progress->isVisible())
                    texts << progress->findChild<QLabel*>()->text();
            return texts;
        };
        // Two loads at once show a progress each; the first to end takes only its own away.
        TfmList* window = main->OpenFile(cli->path("more.kdx"));
        TfmList* other = main->OpenFile(cli->path("most.kdx"));
        QVERIFY(window && !window->controller().document());
        QVERIFY(!window->isVisible());
        QCOMPARE(shownProgress(), test::u({"Загрузка: more.kdx", "Загрузка: most.kdx"}));
        QSignalSpy firstDone(window, &TfmList::loadDone);
        QSignalSpy otherDone(other, &TfmList::loadDone);
        QTRY_VERIFY(!firstDone.isEmpty() || !otherDone.isEmpty());
        QCOMPARE(shownProgress().size(), firstDone.isEmpty() || otherDone.isEmpty() ? 1 : 0);
        QVERIFY(WaitLoaded(window) && WaitLoaded(other));
        QTRY_VERIFY(shownProgress().isEmpty());
        QVERIFY(window->isVisible());
        QCOMPARE(window->grid()->model()->rowCount(), 5);
    }

    void exitAsksAboutEachWindowWithItActiveAndNamed()
    {
        closeMainWindow();
        newProgramFolder();
        auto watching = std::make_unique<WatchingPrompts>();
        WatchingPrompts* asked = watching.get();
        prompts = std::move(watching);
        startMainWindow();
        asked->area = main->mdiArea();
        QVERIFY(showMainWindow({1100, 800}));
        TfmList* first = openSample("first.kdx");
        TfmList* second = openSample("second.kdx");
        QVERIFY(first && second);
        main->mdiArea()->setActiveSubWindow(first);
        first->controller().setCell(first->controller().currentList()->Row(0), csTitle, QStringLiteral("Changed"));
        main->mdiArea()->setActiveSubWindow(second);
        QCOMPARE(main->activeList(), second);

        // Cancel keeps the program and the window asked about.
        asked->answers = {PromptButton::Cancel};
        main->menus().action("miExit")->trigger();
        QCOMPARE(asked->asked.size(), size_t(1));
        QCOMPARE(asked->activeAtQuestion.value(0), first);
        QVERIFY(asked->asked.front().text.contains(QDir::toNativeSeparators(cli->path("first.kdx"))));
        QVERIFY(main->isVisible());
        QVERIFY(main->lists().contains(first));

        // "Закрыть все" of the window bar asks the same way, over the window concerned.
        TfmList* third = openSample("third.kdx");
        QVERIFY(third);
        main->mdiArea()->setActiveSubWindow(third);
        main->shell().options().UseMDIPanel = true;
        main->UpdateMDIPanel();
        QTRY_VERIFY(main->mdiPanel()->MenuOf(third));
        asked->answers = {PromptButton::No};
        main->mdiPanel()->MenuOf(third)->findChild<QAction*>(QStringLiteral("CloseAll"))->trigger();
        QCOMPARE(asked->asked.size(), size_t(2));
        QCOMPARE(asked->activeAtQuestion.value(1), first);
        QTRY_VERIFY(main->lists().isEmpty());
    }

    void anExportThatCannotReplaceItsFileSaysSo()
    {
        closeMainWindow();
        newProgramFolder();
        QVERIFY(QDir(cli->folder()).mkpath(QStringLiteral("Plugins")));
        QVERIFY(QFile::copy(QStringLiteral(SHIPPED_KDP_DIR "/HtmlExport.kdp"), cli->path("Plugins/HtmlExport.kdp")));
        startMainWindow();
        QVERIFY((list = openSample("films.kdx")));
        const QString target = cli->path("out.html");
        QTRY_VERIFY(main->menus().action("miExport")->isEnabled());
        test::WriteTestFile(target, "");
        if (QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), target}) != 0)
            QSKIP("this file system cannot make a file immutable (chattr +i)");
        const auto unlock = qScopeGuard([&target] { QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), target}); });
        prompts->files = {{target, 0}};
        prompts->answers = {PromptButton::Ok, PromptButton::SaveAnyway};
        main->menus().action("miExport")->trigger();
        QTRY_VERIFY(!list->isBusy());
        QCOMPARE(prompts->asked.size(), size_t(3));
        QCOMPARE(prompts->asked.back().icon, PromptIcon::Error);
        QVERIFY(prompts->asked.back().text.contains(QDir::toNativeSeparators(target)));
        QCOMPARE(status(), QStringLiteral("Готово"));
        QCOMPARE(QFileInfo(target).size(), 0);
        // Nothing is left beside it.
        QCOMPARE(QDir(cli->folder()).entryList({QStringLiteral("out*")}, QDir::Files | QDir::Hidden), test::u({"out.html"}));
    }
};

QTEST_MAIN(EverydayUseTest)
#include "EverydayUseTest.moc"
