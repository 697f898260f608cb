// The record panel and the record commands: edits reach the cells, aids over a
// selection, the record clipboard between windows and Add from list, checked
// through the document and reelkeep-cli.
#include "GridModel.h"
#include "ShellState.h"
#include "RecordCommands.h"
#include "TfmFilter.h"
#include "TzkBtnEdit.h"
#include "TzkImagePanel.h"
#include "TzkLabeledColorBox.h"
#include "TzkRecordPanel.h"
#include "UiTestSupport.h"
#include "zkOptions.h"

#include <QApplication>
#include <QClipboard>
#include <QCheckBox>
#include <QComboBox>
#include <QCryptographicHash>
#include <QHeaderView>
#include <QImage>
#include <QListView>
#include <QMenu>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QToolButton>

using namespace reelkeep;
using namespace reelkeep::testing;

using reelkeep::test::u;

namespace {
constexpr int kGenre = 17;
} // namespace

class RecordPanelTest : public QObject, MainWindowFixture {
    Q_OBJECT

private:

    // Opens the context menu of a panel control and triggers one of its items when it is
    // enabled (and trigger is asked); tells whether it was enabled.
    static bool editMenu(QWidget* control, const char* item, bool trigger = true)
    {
        emit control->customContextMenuRequested(QPoint(2, 2));
        auto* menu = control->findChild<QMenu*>(QStringLiteral("pmEdit"));
        auto* action = menu ? menu->findChild<QAction*>(QString::fromLatin1(item)) : nullptr;
        const bool enabled = action && action->isEnabled();
        if (enabled && trigger)
            action->trigger();
        if (menu)
            menu->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return enabled;
    }
    static QByteArray imageFile(const QString& path, const char* format, Qt::GlobalColor colour)
    {
        QImage image(12, 8, QImage::Format_RGB32);
        image.fill(colour);
        image.save(path, format);
        return test::ReadTestFile(path);
    }
    static QString sha256(const QByteArray& bytes)
    {
        return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
    }
    TzkRow* record(const char* title) const { return list->controller().model()->rowAt(rowIndex(title)); }
    QLineEdit* edit(int column) const { return list->recordPanel()->edit(column)->edit(); }

private slots:
    void init()
    {
        QVERIFY((list = openSampleInShownWindow("films.kdx")));
        list->grid()->expandAll();
    }
    void cleanup() { closeMainWindow(); }

    void typingPastingAndMemosReachTheCellsShowingDoesNot()
    {
        TzkRecordPanel* panel = list->recordPanel();
        QVERIFY(!panel->isEnabled());
        click(rowIndex("Амели"));
        QVERIFY(panel->isEnabled());
        QCOMPARE(edit(1)->text(), QStringLiteral("Амели"));
        QCOMPARE(list->recordPanel()->edit(1)->label()->text(), QStringLiteral("Название"));
        QVERIFY(!list->controller().isModified());

        QTest::keyClick(edit(1), Qt::Key_End);
        QTest::keyClicks(edit(1), QStringLiteral(" 2"));
        QCOMPARE(rowIndex("Амели 2").siblingAtColumn(1).data().toString(), QStringLiteral("Амели 2"));
        QVERIFY(list->controller().isModified());

        QGuiApplication::clipboard()->setText(QStringLiteral("Amelie (2001)"));
        edit(2)->setFocus();
        QTest::keyClick(edit(2), Qt::Key_V, Qt::ControlModifier);
        QPlainTextEdit* memo = panel->memo(csDescription);
        memo->setFocus();
        QTest::keyClicks(memo, QStringLiteral("one"));
        QTest::keyClick(memo, Qt::Key_Return);
        QTest::keyClicks(memo, QStringLiteral("two"));

        // Ctrl+Down shows the next row; its text was not touched by the filling.
        QTest::keyClick(edit(1), Qt::Key_Down, Qt::ControlModifier);
        QCOMPARE(list->currentRecord()->Fields[1], QStringLiteral("Бригада"));
        QCOMPARE(edit(1)->text(), QStringLiteral("Бригада"));
        QCOMPARE(memo->toPlainText(), QString());
        QTest::keyClick(edit(1), Qt::Key_Up, Qt::ControlModifier);
        QCOMPARE(memo->toPlainText(), QStringLiteral("one\ntwo"));

        const QJsonObject dump = saveAndDump(list, path());
        QCOMPARE(CliCells(dump, 1)[0], QStringLiteral("Амели 2"));
        QCOMPARE(CliCells(dump, 2)[0], QStringLiteral("Amelie (2001)"));
        QCOMPARE(CliCells(dump, csDescription)[0], QStringLiteral("one\r\ntwo"));
    }

    void aidsActOnEverySelectedRecord()
    {
        list->controller().setCell(record("Шахматы"), csNumber, QStringLiteral("5"));
        list->controller().setCell(record("Шахматы"), csDiscs, QStringLiteral("2"));
        list->controller().setCell(record("Амели"), csActors, QStringLiteral(" Tautou ,  Kassovitz "));
        click(rowIndex("Амели"));
        click(rowIndex("Жмурки"), Qt::ControlModifier);
        TzkRecordPanel* panel = list->recordPanel();

        panel->edit(csNumber)->button()->click();
        QCOMPARE(edit(csNumber)->text(), QStringLiteral("7"));
        panel->edit(csDateAdded)->button()->click();
        QVERIFY(!edit(csDateAdded)->text().isEmpty());
        QComboBox* colours = panel->colourBox()->box();
        emit colours->activated(colours->findText(QStringLiteral("Синий")));
        emit panel->clearField(csTitle);
        QCOMPARE(edit(csTitle)->text(), QString());
        main->menus().action("miRemoveSpaceAct")->trigger();

        // A number cell that is not a number stops the automatic number with a message, writing nothing.
        list->controller().setCell(record("Матрица 2"), csNumber, QStringLiteral("x"));
        panel->edit(csNumber)->button()->click();
        QVERIFY(prompts->texts().contains(QStringLiteral("x")));

        const QJsonObject dump = saveAndDump(list, path());
        // Depth first: Амели, Бригада and its two, Жмурки, Матрица 2, Шахматы.
        QCOMPARE(CliCells(dump, csNumber), u({"7", "", "", "", "7", "x", "5"}));
        QCOMPARE(CliCells(dump, csTitle), u({"", "Бригада", "Бригада 1", "Бригада 2", "", "Матрица 2", "Шахматы"}));
        QCOMPARE(CliCells(dump, csColour), u({"00FF0000", "", "", "", "00FF0000", "0000FF00", "000000FF"}));
        QCOMPARE(CliCells(dump, csDateAdded)[0], CliCells(dump, csDateAdded)[4]);
        QCOMPARE(CliCells(dump, csDateAdded)[6], QString());
        QCOMPARE(CliCells(dump, csActors)[0], QStringLiteral("Tautou, Kassovitz"));
    }

    void recordsCopiedInOneWindowArePastedIntoAnother()
    {
        list->controller().setCell(record("Амели"), csTitle, QStringLiteral("Café"));
        TzkRow* samurai = record("Матрица 2");
        list->controller().setCell(samurai, csTitle, QStringLiteral("七人の侍"));
        list->controller().setCell(samurai, csDescription, QStringLiteral("a\r\nb"));
        list->grid()->expandAll();
        click(rowIndex("Café"));
        click(rowIndex("七人の侍"), Qt::ControlModifier);
        click(rowIndex("Бригада"), Qt::ControlModifier);
        main->menus().action("miCopy")->trigger();
        // The group's two nested records cannot travel in the text.
        QCOMPARE(list->controller().statusTexts().back(), QStringLiteral("Скопировано записей: 3; вложенных записей не скопировано: 2"));

        TfmList* other = openSample("other.kdx");
        QVERIFY(other);
        main->mdiArea()->setActiveSubWindow(other);
        other->grid()->expandAll();
        click(rowIndex("Бригада 1", other), {}, other);
        main->menus().action("miPaste")->trigger();
        QVERIFY(other->controller().isModified());
        QCOMPARE(other->currentRecord()->Fields[csTitle], QStringLiteral("七人の侍"));

        // In grid order, into the group of the record clicked.
        // XML keeps every character.
        const QString xmlPath = cli->path("other.xkdx");
        QVERIFY(other->controller().saveAs(xmlPath));
        QTRY_VERIFY(idle());
        const QJsonObject dump = cli->run({"dump", xmlPath}).json();
        QCOMPARE(CliTitles(dump), u({"Амели", "Бригада", "Бригада 1", "Бригада 2", "Café", "Бригада", "七人の侍",
                                         "Жмурки", "Матрица 2", "Шахматы"}));
        QCOMPARE(CliCells(dump, csDescription)[6], QStringLiteral("a\r\nb"));
        QCOMPARE(CliCells(dump, csColour)[4], QString());

        // Cut takes the records away after the question.
        main->mdiArea()->setActiveSubWindow(list);
        click(rowIndex("Café"));
        prompts->answers = {PromptButton::Yes};
        main->menus().action("miCut")->trigger();
        QVERIFY(!rowIndex("Café").isValid());
        QVERIFY(QGuiApplication::clipboard()->text().contains(QStringLiteral("Café")));
    }

    void addFromListMergesAFileAndRefusesOtherText()
    {
        // A file that is no text form is told and changes nothing.
        test::WriteTestFile(cli->path("junk.kdx"), "not a list\r\n");
        prompts->files = {{cli->path("junk.kdx"), 0}};
        main->menus().action("miAddFromList")->trigger();
        QVERIFY(prompts->lastFilters == test::u({"Список Corvane (*.kdx)"}));
        QVERIFY(prompts->texts().contains(QStringLiteral("не является списком записей")));
        QVERIFY(!list->controller().isModified());

        // Unnamed lists go to the current sheet, into the group of the current record.
        TzkReelkeep source;
        TZKList* unnamed = source.AddList(0, QString());
        for (const char* title : {"Солярис", "Сталкер"})
            unnamed->AddRow()->Fields[csTitle] = QString::fromUtf8(title);
        source.AddList(0, QStringLiteral("Сериалы"))->AddRow()->Fields[csTitle] = QStringLiteral("Зона");
        test::WriteTestFile(cli->path("two.kdx"), source.SaveToString());
        click(rowIndex("Бригада 1"));
        prompts->files = {{cli->path("two.kdx"), 0}};
        main->menus().action("miAddFromList")->trigger();
        QVERIFY(list->controller().isModified());
        QCOMPARE(list->controller().statusTexts().back(), QStringLiteral("Добавлено записей: 3"));
        QCOMPARE(list->currentRecord()->Fields[csTitle], QStringLiteral("Сталкер"));

        const QJsonObject dump = saveAndDump(list, path());
        QCOMPARE(CliTitles(dump), u({"Амели", "Бригада", "Бригада 1", "Бригада 2", "Солярис", "Сталкер", "Жмурки",
                                         "Матрица 2", "Шахматы"}));
        QCOMPARE(CliTitles(dump, 2), u({"Остров", "Зона"}));
        const QJsonArray top = dump[QStringLiteral("lists")].toArray()[0][QStringLiteral("rows")].toArray();
        QCOMPARE(top.size(), 5);
    }

    void editMenuCommandsStoreLikeTyping()
    {
        click(rowIndex("Амели"));
        QLineEdit* original = edit(csOrigTitle);
        QVERIFY(!editMenu(original, "miEditCopy", false));
        QVERIFY(!editMenu(original, "miEditCut", false));
        QGuiApplication::clipboard()->setText(QStringLiteral("Amélie"));
        QVERIFY(editMenu(original, "miEditPaste"));
        QCOMPARE(list->currentRecord()->Fields[csOrigTitle], QStringLiteral("Amélie"));
        QVERIFY(list->controller().isModified());

        original->setSelection(0, 2);
        QVERIFY(editMenu(original, "miEditCut"));
        QCOMPARE(list->currentRecord()->Fields[csOrigTitle], QStringLiteral("élie"));
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("Am"));
        QVERIFY(editMenu(original, "miEditUndo"));
        QCOMPARE(list->currentRecord()->Fields[csOrigTitle], QStringLiteral("Amélie"));
        QVERIFY(editMenu(original, "miEditSelectAll"));
        QVERIFY(editMenu(original, "miEditDelete"));
        QCOMPARE(list->currentRecord()->Fields[csOrigTitle], QString());

        // The memos the same way; line breaks are stored as CR LF.
        QPlainTextEdit* memo = list->recordPanel()->memo(csDescription);
        QGuiApplication::clipboard()->setText(QStringLiteral("one\ntwo"));
        QVERIFY(editMenu(memo, "miEditPaste"));
        QCOMPARE(list->currentRecord()->Fields[csDescription], QStringLiteral("one\r\ntwo"));
        QVERIFY(editMenu(memo, "miEditSelectAll"));
        QVERIFY(editMenu(memo, "miEditCut"));
        QCOMPARE(list->currentRecord()->Fields[csDescription], QString());

        // The grid's Copy and Cut follow the selection; Paste needs records on the clipboard.
        QVERIFY(main->menus().action("miCopy")->isEnabled());
        QVERIFY(!main->menus().action("miPaste")->isEnabled());
        list->grid()->clearSelection();
        QVERIFY(!main->menus().action("miCopy")->isEnabled());
        QVERIFY(!main->menus().action("miCut")->isEnabled());
        click(rowIndex("Шахматы"));
        main->menus().action("miCopy")->trigger();
        QVERIFY(main->menus().action("miPaste")->isEnabled());
    }

    void autoFillAppendsPickedValuesToEverySelectedRecord()
    {
        list->controller().setCell(record("Амели"), kGenre, QStringLiteral("драма"));
        list->controller().setCell(record("Шахматы"), kGenre, QStringLiteral("комедия"));
        list->controller().setCell(record("Матрица 2"), kGenre, QStringLiteral("боевик"));
        list->controller().discardChanges(); // what the test starts from, not a change of the person's
        click(rowIndex("Матрица 2"));
        click(rowIndex("Жмурки"), Qt::ControlModifier);
        QVERIFY(editMenu(edit(kGenre), "miAutoFill"));
        TfmFilter* pick = list->records().pickWindow();
        QVERIFY(pick);
        QVERIFY(pick->addButton()->isVisible());
        QVERIFY(!pick->modeBox()->isVisible());

        // The column's values come from a worker; a value added with "+" before they came stays.
        pick->edit()->setText(QStringLiteral("вестерн"));
        pick->addButton()->click();
        QTRY_VERIFY(pick->hasValues());
        QCOMPARE(pick->valueTexts(), u({"боевик", "драма", "комедия", "вестерн"}));

        // "+" adds a typed value once, whatever its case.
        pick->edit()->setText(QStringLiteral("Комедия"));
        pick->addButton()->click();
        QCOMPARE(pick->valueTexts().size(), 4);
        pick->edit()->setText(QStringLiteral(" мюзикл "));
        pick->addButton()->click();
        QCOMPARE(pick->valueTexts().size(), 5);
        QCOMPARE(pick->currentValue(), QStringLiteral("мюзикл"));
        QCOMPARE(pick->edit()->text(), QString());

        // A single click sets no filter; a double click appends to each selected record.
        QListView* items = pick->values();
        const QPoint drama = items->visualRect(items->model()->index(1, 0)).center();
        QTest::mouseClick(items->viewport(), Qt::LeftButton, {}, drama);
        QVERIFY(!list->controller().isModified());
        QCOMPARE(list->controller().currentList()->GetColumnFilter(kGenre), QString());
        QTest::mouseDClick(items->viewport(), Qt::LeftButton, {}, drama);
        emit items->doubleClicked(items->model()->index(4, 0));
        QCOMPARE(edit(kGenre)->text(), QStringLiteral("боевик, драма, мюзикл"));
        pick->close();

        const QJsonObject dump = saveAndDump(list, path());
        // Depth first: Амели, Бригада and its two, Жмурки, Матрица 2, Шахматы.
        QCOMPARE(CliCells(dump, kGenre), u({"драма", "", "", "", "драма, мюзикл", "боевик, драма, мюзикл", "комедия"}));
    }

    void aOneBitPictureShrinksToGreyNotNoise()
    {
        // A one-bit halftone, pixels alternating black and white, far larger than the box.
        QImage halftone(900, 900, QImage::Format_Mono);
        halftone.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
        for (int y = 0; y < halftone.height(); ++y)
            for (int x = 0; x < halftone.width(); ++x)
                halftone.setPixel(x, y, (x + y) % 2);
        QVERIFY(halftone.save(cli->path("halftone.bmp"), "BMP"));
        click(rowIndex("Амели"));
        TzkImagePanel* images = list->recordPanel()->imagePanel();
        prompts->files = {{cli->path("halftone.bmp"), 0}};
        images->addButton()->click();
        QCOMPARE(images->count(), 1);
        const QImage shown = images->picture()->pixmap().toImage();
        QVERIFY(shown.width() < halftone.width());
        for (const QPoint at : {QPoint(shown.width() / 2, shown.height() / 2), QPoint(3, 5), QPoint(shown.width() / 3, 2)}) {
            const int grey = qGray(shown.pixel(at));
            QVERIFY2(grey > 90 && grey < 165, qPrintable(QString::number(grey)));
        }
    }

    void imagesAreAddedSteppedThroughRemovedAndSaved()
    {
        // Version 2.0 is the form that keeps images.
        const QString flat = cli->path("flat.kdx");
        TestCatalogue films;
        films.sheet("Фильмы").record({{csTitle, "Амели"}});
        films.doc.List(0)->Images.AddImage("no picture here", films.record({{csTitle, "Брат"}})->ID);
        films.doc.Save(flat, CatalogueForm::Kdx20);
        TfmList* window = main->OpenFile(flat);
        QVERIFY(WaitLoaded(window));
        main->mdiArea()->setActiveSubWindow(window);
        TzkImagePanel* images = window->recordPanel()->imagePanel();

        const QByteArray red = imageFile(cli->path("red.png"), "PNG", Qt::red);
        const QByteArray blue = imageFile(cli->path("blue.bmp"), "BMP", Qt::blue);
        test::WriteTestFile(cli->path("notes.txt"), "plain words");
        click(rowIndex("Амели", window), {}, window);
        QCOMPARE(images->count(), 0);
        prompts->files = {{cli->path("red.png"), 0}, {cli->path("blue.bmp"), 0}, {cli->path("notes.txt"), 0}, {}};
        for (int i = 0; i < 4; ++i)
            images->addButton()->click();
        // A file no reader understands is refused with its name; a cancelled dialog changes nothing.
        QVERIFY(prompts->texts().contains(QStringLiteral("notes.txt")));
        QVERIFY(prompts->lastFilters.front().contains(QStringLiteral("*.png")));
        QCOMPARE(images->count(), 2);
        QCOMPARE(images->shownIndex(), 1);
        QVERIFY(window->controller().isModified());
        QCOMPARE(images->picture()->pixmap().toImage().pixelColor(2, 2), QColor(Qt::blue));

        // Stepping shows, goes round, and never adds.
        images->nextButton()->click();
        QCOMPARE(images->shownIndex(), 0);
        QCOMPARE(images->picture()->pixmap().toImage().pixelColor(2, 2), QColor(Qt::red));
        images->previousButton()->click();
        QCOMPARE(images->shownIndex(), 1);
        images->previousButton()->click();
        QCOMPARE(images->count(), 2);

        // Removing takes the image shown: the red one.
        images->removeButton()->click();
        QCOMPARE(images->count(), 1);
        QCOMPARE(images->picture()->pixmap().toImage().pixelColor(2, 2), QColor(Qt::blue));

        // Another record shows its own image, or the placeholder for data that is no picture.
        click(rowIndex("Брат", window), {}, window);
        QCOMPARE(images->count(), 1);
        QVERIFY(images->picture()->pixmap().isNull());
        QCOMPARE(images->picture()->text(), QStringLiteral("Изображение не распознано"));
        click(rowIndex("Амели", window), {}, window);
        QCOMPARE(images->picture()->pixmap().toImage().pixelColor(2, 2), QColor(Qt::blue));

        const QJsonObject dump = saveAndDump(window, flat);
        const QJsonArray stored = dump[QStringLiteral("lists")].toArray()[0][QStringLiteral("images")].toArray();
        QCOMPARE(stored.size(), 2);
        const QJsonArray rows = dump[QStringLiteral("lists")].toArray()[0][QStringLiteral("rows")].toArray();
        QCOMPARE(stored[0][QStringLiteral("ownerId")].toInt(), rows[0][QStringLiteral("id")].toInt());
        QCOMPARE(stored[0][QStringLiteral("sha256")].toString(), sha256(blue));
        QCOMPARE(stored[1][QStringLiteral("sha256")].toString(), sha256(QByteArray("no picture here")));
        QVERIFY(!QFileInfo::exists(cli->path("temp.jpg")));

        // Version 2.1 keeps no images: saving one there asks first, and Cancel writes nothing.
        main->mdiArea()->setActiveSubWindow(list);
        click(rowIndex("Амели"));
        prompts->files = {{cli->path("red.png"), 0}};
        list->recordPanel()->imagePanel()->addButton()->click();
        QCOMPARE(list->controller().imagesOf(list->currentRecord()), QList<QByteArray>{red});
        prompts->asked.clear();
        prompts->answers = {PromptButton::Cancel};
        main->menus().action("miSave")->trigger();
        QTRY_VERIFY(idle());
        QVERIFY(prompts->texts().contains(QStringLiteral("— 1 изображение (первое — ")));
        QVERIFY(list->controller().isModified());
    }

    void panelLeavesRoomForFiveDigitsAndKeepsDraggedPlaces()
    {
        click(rowIndex("Амели"));
        TzkBtnEdit* number = list->recordPanel()->edit(csNumber);
        QLineEdit* line = number->edit();
        const int digits = line->fontMetrics().horizontalAdvance(QStringLiteral("00000"));
        QVERIFY2(line->width() > digits, qPrintable(QStringLiteral("%1 <= %2").arg(line->width()).arg(digits)));
        // Neighbours on its line never overlap it.
        QVERIFY(number->geometry().right() < list->recordPanel()->edit(csTitle)->geometry().left());

        // A Shift+drag of a label moves its control; laying the panel out again keeps it there.
        TzkBtnEdit* notes = list->recordPanel()->edit(7);
        const QPoint before = notes->pos();
        const QPoint grip = notes->label()->rect().center();
        QTest::mousePress(notes->label(), Qt::LeftButton, Qt::ShiftModifier, grip);
        QTest::mouseMove(notes->label(), grip + QPoint(7, 3));
        // The label moved with the mouse, so the button comes up over the same point of it.
        QTest::mouseRelease(notes->label(), Qt::LeftButton, Qt::ShiftModifier, grip);
        QCOMPARE(notes->pos(), before + QPoint(7, 3));
        list->TranslateControls();
        QCOMPARE(notes->pos(), before + QPoint(7, 3));
        QCOMPARE(main->shell().options().ContrlX[7], before.x() + 7);
    }

    void gridPaintsTheRowColourUnderTheNumberAndTheIndentation()
    {
        // Шахматы is red (000000FF) and not selected; its number cell is empty.
        QTreeView* grid = list->grid();
        const QModelIndex chess = rowIndex("Шахматы");
        const QImage shot = grid->viewport()->grab().toImage();
        const int y = grid->visualRect(chess).center().y();
        const QHeaderView* header = grid->header();
        const int numberX = header->sectionViewportPosition(0) + header->sectionSize(0) / 2;
        const int indentX = header->sectionViewportPosition(1) + 3;
        QCOMPARE(shot.pixelColor(numberX, y), QColor(255, 0, 0));
        QCOMPARE(shot.pixelColor(indentX, y), QColor(255, 0, 0));
    }

    void addedRecordIsTheLastSiblingWhiteAndShown()
    {
        click(rowIndex("Бригада 2"));
        main->menus().action("miAddRow")->trigger();
        TzkRow* added = list->currentRecord();
        QVERIFY(added);
        QCOMPARE(added->Fields[csColour], QStringLiteral("00FFFFFF"));
        QVERIFY(list->recordPanel()->isEnabled());
        QTest::keyClicks(edit(csTitle), QStringLiteral("Part 3"));
        click(rowIndex("Шахматы"));
        list->findChild<QToolButton*>(QStringLiteral("btnAddRow"))->click();
        QTest::keyClicks(edit(csTitle), QStringLiteral("Last"));
        QCOMPARE(CliTitles(saveAndDump(list, path())), u({"Амели", "Бригада", "Бригада 1", "Бригада 2", "Part 3",
                                                        "Жмурки", "Матрица 2", "Шахматы", "Last"}));
    }

    void addAndPasteJoinTheCurrentRecordsGroupNeverGoUnderIt()
    {
        TzkRow* group = record("Бригада");
        const int members = group->ChildCount();
        click(rowIndex("Бригада 1"));
        main->menus().action("miAddRow")->trigger();
        QCOMPARE(group->ChildCount(), members + 1);
        QCOMPARE(group->Children.back().get(), list->currentRecord());

        // On the group itself, the new record is a top-level one, the last.
        click(rowIndex("Бригада"));
        main->menus().action("miAddRow")->trigger();
        QCOMPARE(group->ChildCount(), members + 1);
        QCOMPARE(list->controller().currentList()->Items().back().get(), list->currentRecord());

        // A record pasted on a member of the group becomes its last member.
        click(rowIndex("Амели"));
        main->menus().action("miCopy")->trigger();
        list->grid()->expandAll();
        click(rowIndex("Бригада 1"));
        main->menus().action("miPaste")->trigger();
        QCOMPARE(group->ChildCount(), members + 2);
        QCOMPARE(group->Children.back()->Fields[csTitle], QStringLiteral("Амели"));
        QCOMPARE(record("Бригада 1")->ChildCount(), 0);
    }
};

QTEST_MAIN(RecordPanelTest)
#include "RecordPanelTest.moc"
