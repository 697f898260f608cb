// Save As: every form a catalogue can be written in, and the loss question's offer of the form that keeps everything.
#include "CodePage.h"
#include "MainMenu.h"
#include "TzkImagePanel.h"
#include "TzkRecordPanel.h"
#include "UiTestSupport.h"

#include <QAction>
#include <QCryptographicHash>
#include <QImage>
#include <QLabel>
#include <QMdiArea>
#include <QToolButton>

using namespace reelkeep;
using namespace reelkeep::testing;

class SaveAsTest : public QObject, MainWindowFixture {
    Q_OBJECT

private:
    QString file(const char* name) const { return cli->path(name); }
    void saveAs(const QString& path, int filter)
    {
        prompts->files = {{path, filter}};
        main->menus().action("miSaveAs")->trigger();
        QTRY_VERIFY(idle());
    }

private slots:
    void init()
    {
        newProgramFolder();
        startMainWindow();
        QVERIFY((list = openSample("films.kdx")));
    }
    void cleanup() { closeMainWindow(); }

    void everyFormIsOfferedAndTheChosenEntryDecidesTheKdxVersion()
    {
        saveAs(file("two"), 1);
        QCOMPARE(prompts->lastFilters,
                 test::u({"Каталог, версия 2.1 (*.kdx)", "Каталог, версия 2.0 (с изображениями, без вложенных записей) (*.kdx)",
                          "Каталог, текстовая версия 1.3 (*.kdx)", "Каталог XML (сохраняет всё) (*.xkdx)", "Книга Excel (*.xls)",
                          "Текстовый перечень (*.txt)"}));
        QCOMPARE(prompts->lastSelectedFilter, 0);
        QCOMPARE(prompts->lastFolder, cli->folder());
        // Version 2.0 cannot nest: the question comes, and Save anyway writes the file.
        QCOMPARE(prompts->asked.size(), size_t(1));
        QCOMPARE(list->controller().path(), file("two.kdx"));
        QCOMPARE(test::ReadTestFile(file("two.kdx")).left(8), QByteArray("kdx v2.0"));

        // Save keeps the version the file was saved in.
        list->AddSheet();
        main->menus().action("miSave")->trigger();
        QTRY_VERIFY(idle());
        QCOMPARE(test::ReadTestFile(file("two.kdx")).left(8), QByteArray("kdx v2.0"));
        QCOMPARE(sheetsIn("two.kdx"), 3);

        saveAs(file("old.KDX"), 2);
        QCOMPARE(test::ReadTestFile(file("old.KDX")).left(8), QByteArray("kdx v1.3"));
        // A typed extension of another form wins over the entry chosen.
        saveAs(file("typed.xls"), 1);
        QCOMPARE(list->controller().path(), file("typed.xls"));
        QCOMPARE(sheetsIn("typed.xls"), 3);
        // The listing is written as an export: the window stays with its file.
        saveAs(file("list"), 5);
        QVERIFY(CodePage::Default().decode(test::ReadTestFile(file("list.txt"))).contains(QStringLiteral("Шахматы")));
        QCOMPARE(list->controller().path(), file("typed.xls"));
    }

    void aPictureAddedInThePanelIsKeptThroughTheRecommendedForm()
    {
        QImage poster(40, 30, QImage::Format_RGB32);
        poster.fill(Qt::darkGreen);
        QVERIFY(poster.save(file("poster.png"), "PNG"));
        const QByteArray bytes = test::ReadTestFile(file("poster.png"));
        click(rowIndex("Амели"));
        prompts->files = {{file("poster.png"), 0}};
        list->recordPanel()->imagePanel()->addButton()->click();
        QCOMPARE(list->recordPanel()->imagePanel()->count(), 1);

        // Version 2.1 drops images: the question names .xkdx first and offers it.
        prompts->answers = {PromptButton::SaveInOtherForm};
        prompts->files = {{file("films.xkdx"), 3}};
        main->menus().action("miSave")->trigger();
        QTRY_VERIFY(idle());
        QCOMPARE(prompts->asked.size(), size_t(1));
        const Prompt& question = prompts->asked.front();
        QVERIFY(question.text.contains(QStringLiteral("их сохраняет .xkdx — единственный формат без потерь")));
        QCOMPARE(question.buttons, (std::vector{PromptButton::SaveAnyway, PromptButton::SaveInOtherForm, PromptButton::Cancel}));
        QVERIFY(question.text.endsWith(QStringLiteral("\nБез потерь каталог сохранится как .xkdx (XML).")));
        // The dialog reopens beside the file, on the XML entry.
        QCOMPARE(prompts->lastFolder, file("films.xkdx"));
        QCOMPARE(prompts->lastSelectedFilter, 3);
        QVERIFY(!list->controller().isModified());
        QCOMPARE(list->controller().path(), file("films.xkdx"));

        const QJsonArray images = dump(file("films.xkdx"))[QStringLiteral("lists")].toArray()[0][QStringLiteral("images")].toArray();
        QCOMPARE(images.size(), 1);
        QCOMPARE(images[0][QStringLiteral("sha256")].toString(),
                 QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex()));

        // Reopened, the record shows its picture; a further save asks nothing.
        main->menus().action("miClose")->trigger();
        QTRY_VERIFY(main->lists().isEmpty());
        QVERIFY((list = openLoaded(file("films.xkdx"))));
        click(rowIndex("Амели"));
        QCOMPARE(list->recordPanel()->imagePanel()->count(), 1);
        QCOMPARE(list->recordPanel()->imagePanel()->picture()->pixmap().toImage().pixelColor(3, 3), QColor(Qt::darkGreen));
        list->AddSheet();
        main->menus().action("miSave")->trigger();
        QTRY_VERIFY(idle());
        QCOMPARE(prompts->asked.size(), size_t(1));
    }

    void aCancelledOfferWritesNothingAndAFormThatRefusesStillOffersOne()
    {
        const QByteArray before = test::ReadTestFile(file("films.kdx"));
        TzkRow* row = list->controller().currentList()->Row(0);
        list->controller().setCell(row, csTitle, QStringLiteral("千"));
        list->AddSheet();
        // The offer taken but its dialog cancelled: nothing written, still modified.
        prompts->answers = {PromptButton::SaveInOtherForm};
        main->menus().action("miSave")->trigger();
        QTRY_VERIFY(idle());
        QCOMPARE(prompts->lastSelectedFilter, 3);
        QCOMPARE(test::ReadTestFile(file("films.kdx")), before);
        QVERIFY(list->controller().isModified());
        list->controller().setCell(row, csTitle, QStringLiteral("a\x01"));

        // XML refuses the control character; the offer is the .kdx form that keeps it.
        prompts->asked.clear();
        prompts->answers = {PromptButton::SaveInOtherForm};
        prompts->files = {{file("films.xkdx"), 3}, {file("kept.kdx"), 0}};
        main->menus().action("miSaveAs")->trigger();
        QTRY_VERIFY(idle());
        QCOMPARE(prompts->asked.front().icon, PromptIcon::Error);
        QCOMPARE(prompts->asked.front().buttons, (std::vector{PromptButton::SaveInOtherForm, PromptButton::Cancel}));
        QVERIFY(prompts->asked.front().text.endsWith(QStringLiteral("как .kdx версии 2.1.")));
        QVERIFY(!QFile::exists(file("films.xkdx")));
        QCOMPARE(list->controller().path(), file("kept.kdx"));
        QCOMPARE(sheetsIn("kept.kdx"), 3);
    }
};

QTEST_MAIN(SaveAsTest)
#include "SaveAsTest.moc"
