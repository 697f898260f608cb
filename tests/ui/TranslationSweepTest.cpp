// Every visible text of every window and dialog comes from the language table: with
// a language file whose texts are markers of their own section and key, each text
// shown — in the main, list, options, column, About, filter and statistics windows
// and the list's print preview — is its marker (or holds one, as status texts with
// counts do), apart from the few listed built-in texts and the catalogue's own data —
// also after the options dialog switched to another such file. Every error path shows
// only markers and the file names it quotes; with the built-in Russian table no text,
// Qt's own dialogs included, holds a Latin word but the allowed names.
#include "DialogPrompts.h"
#include "FileEntryCommands.h"
#include "FilterForms.h"
#include "IniFile.h"
#include "MainMenu.h"
#include "PrintCommands.h"
#include "PrintDialogs.h"
#include "RecordCommands.h"
#include "TMDIPanel.h"
#include "TfmAbout.h"
#include "TfmColumnsRen.h"
#include "TfmFilter.h"
#include "TfmFrameChooser.h"
#include "TfmOpt.h"
#include "TfmPrintPreview.h"
#include "TfmStat.h"
#include "TzkImagePanel.h"
#include "TzkPrintTarget.h"
#include "TzkRecordPanel.h"
#include "UiTestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidget>
#include <csignal>
#include <sys/resource.h>

using namespace reelkeep;
using namespace reelkeep::testing;

namespace {

// Texts the program keeps built in: the program's name and version, the file-dialog
// button, the message of a missing language file, and the title bar menu Qt gives
// every child window (compared without their & marks).
const QStringList kBuiltIn = {QStringLiteral("Tavrine Reelkeep v2.1.0.146 beta"), QStringLiteral("Tavrine Reelkeep"),
                              QStringLiteral("v2.1.0.146 beta"), QStringLiteral("..."), QStringLiteral("Language file not found"),
                              QStringLiteral("Restore"), QStringLiteral("Move"), QStringLiteral("Size"), QStringLiteral("Minimize"),
                              QStringLiteral("Maximize"), QStringLiteral("Stay on Top"), QStringLiteral("Close")};

void WriteMarkerLanguage(const QString& path, QChar mark)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QString section;
    for (const LanguageEntry& entry : TzkLanguage().Entries) {
        if (entry.Section != section) {
            section = entry.Section;
            file.write('[' + section.toLatin1() + "]\n");
        }
        file.write((entry.Key + QLatin1Char('=') + mark + entry.Section + QLatin1Char('/') + entry.Key + mark + QLatin1Char('\n')).toLatin1());
    }
}

// A marker language whose texts keep the places of their built-in ones ("@Messages/CannotSave@ %1 %2"),
// so that every argument a message is given shows: a nested message as its own marker.
void WriteMarkerLanguageWithPlaces(const QString& path)
{
    static const QRegularExpression place(QStringLiteral("%[1-9n]"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QString section;
    for (const LanguageEntry& entry : TzkLanguage().Entries) {
        if (entry.Section != section) {
            section = entry.Section;
            file.write('[' + section.toLatin1() + "]\n");
        }
        QStringList places;
        for (const QRegularExpressionMatch& match : place.globalMatch(entry.Text.section(QLatin1Char('|'), 0, 0)))
            if (!places.contains(match.captured()))
                places << match.captured();
        file.write((entry.Key + QStringLiteral("=@") + entry.Section + QLatin1Char('/') + entry.Key + QLatin1Char('@') + QLatin1Char(' ')
                    + places.join(QLatin1Char(' ')) + QLatin1Char('\n')).toLatin1());
    }
}

// What of a text is neither a marker nor one of the file names it may quote, nor digits and punctuation.
QString Unmarked(QString text, const QStringList& fileNames)
{
    static const QRegularExpression marker(QStringLiteral("@[A-Za-z]+/[A-Za-z0-9-]+@"));
    static const QRegularExpression letters(QStringLiteral("\\p{L}+"));
    text.remove(marker);
    for (const QString& name : fileNames)
        text.remove(name);
    QStringList words;
    for (const QRegularExpressionMatch& match : letters.globalMatch(text))
        words << match.captured();
    return words.join(QLatin1Char(' '));
}

// The Latin words of a text that are not in the allowed list: product, format and file names.
QStringList ForeignWords(const QString& text)
{
    static const QStringList allowed = {
        QStringLiteral("Reelkeep"), QStringLiteral("Tavrine"), QStringLiteral("beta"), QStringLiteral("kdx"),
        QStringLiteral("xkdx"), QStringLiteral("xls"), QStringLiteral("txt"), QStringLiteral("cvr"),
        QStringLiteral("lng"), QStringLiteral("XML"), QStringLiteral("Excel"), QStringLiteral("URL"),
        QStringLiteral("Name"), QStringLiteral("Latin"), QStringLiteral("UTF"), QStringLiteral("PDF"),
        QStringLiteral("MediaInfo"), QStringLiteral("Qt"), QStringLiteral("v"),
        QStringLiteral("PNG"), QStringLiteral("SVG")};
    static const QRegularExpression word(QStringLiteral("[A-Za-z]+"));
    QStringList foreign;
    for (const QRegularExpressionMatch& match : word.globalMatch(text))
        if (!allowed.contains(match.captured()))
            foreign << match.captured();
    return foreign;
}

// Shows the print preview as a person would see it, hands it to the sweep, then closes it unprinted.
class SweepingPrintDialogs : public PrintDialogs {
public:
    bool preview(TfmPrintPreview& preview) override
    {
        PreparePdfPrinter(preview.printer(), pdf);
        preview.show();
        if (QTest::qWaitForWindowExposed(&preview)) {
            preview.refresh();
            if (!QTest::qWaitFor([&preview] { return !preview.isDrawing(); }))
                qWarning("the preview's pages were never drawn");
            sweep(preview);
        }
        preview.close();
        return false;
    }
    bool choosePrinter(QPrinter&, int, QWidget*) override { return false; }

    QString pdf;
    std::function<void(TfmPrintPreview&)> sweep;
};

} // namespace

class TranslationSweepTest : public QObject, MainWindowFixture {
    Q_OBJECT

private:
    SweepingPrintDialogs printDialogs;
    QStringList data; // the catalogue's sheet names and file name

    // A catalogue text shortened to fit its place ("Дата доб…").
    bool isShortenedData(const QString& text) const
    {
        return text.endsWith(QChar(0x2026))
            && std::any_of(data.begin(), data.end(), [&text](const QString& item) { return item.startsWith(text.chopped(1)); });
    }
    // What is wrong with one text, or nothing.
    QString check(const QString& where, const QString& text, QChar mark) const
    {
        // With the built-in Russian table: no Latin word but the allowed ones and the catalogue's names.
        if (mark.isNull()) {
            QString withoutData = text;
            for (const QString& item : data)
                withoutData.remove(item);
            const QStringList foreign = ForeignWords(withoutData);
            return foreign.isEmpty() ? QString() : where + QStringLiteral(": ") + text;
        }
        const QRegularExpression marker(QStringLiteral("%1[A-Za-z]+/[A-Za-z-]+%1").arg(QRegularExpression::escape(mark)));
        static const QRegularExpression letter(QStringLiteral("\\p{L}"));
        if (text.isEmpty() || marker.match(text).hasMatch() || !letter.match(text).hasMatch() || kBuiltIn.contains(QString(text).remove(QLatin1Char('&')))
            || data.contains(text) || isShortenedData(text))
            return {};
        return where + QStringLiteral(": ") + text;
    }
    // A menu that lists data (sheet columns, quick-list entries) rather than commands.
    static bool listsData(const QMenu* menu)
    {
        const QString title = menu->menuAction()->text();
        return title.contains(QLatin1String("/Filter")) || title.contains(QLatin1String("/SortBy"))
            || title.contains(QLatin1String("/Lists"));
    }
    QStringList sweep(QWidget* top, QChar mark) const
    {
        QStringList wrong;
        const auto add = [&](const QString& where, const QString& text) {
            if (const QString problem = check(where, text, mark); !problem.isEmpty())
                wrong << problem;
        };
        if (qobject_cast<QDialog*>(top))
            add(top->objectName() + QStringLiteral(" title"), top->windowTitle());
        for (QWidget* widget : top->findChildren<QWidget*>()) {
            if (!widget->window()->isVisible())
                continue;
            const QString where = top->objectName() + QLatin1Char('/') + widget->objectName() + QLatin1Char(' ')
                + QString::fromLatin1(widget->metaObject()->className());
            add(where + QStringLiteral(" hint"), widget->toolTip());
            if (qobject_cast<QDialog*>(widget))
                add(where + QStringLiteral(" title"), widget->windowTitle());
            if (auto* label = qobject_cast<QLabel*>(widget))
                add(where, label->text());
            if (auto* button = qobject_cast<QAbstractButton*>(widget); button && !qobject_cast<TMDIPanel*>(button->parentWidget()))
                add(where, button->text());
            if (auto* group = qobject_cast<QGroupBox*>(widget))
                add(where, group->title());
            if (auto* edit = qobject_cast<QLineEdit*>(widget))
                add(where + QStringLiteral(" placeholder"), edit->placeholderText());
            if (auto* tabs = qobject_cast<QTabWidget*>(widget); tabs && !qobject_cast<TfmColumnsRen*>(top))
                for (int i = 0; i < tabs->count(); ++i)
                    add(where + QStringLiteral(" tab"), tabs->tabText(i));
            if (auto* memo = qobject_cast<QPlainTextEdit*>(widget); memo && memo->isReadOnly())
                for (const QString& line : memo->toPlainText().split(QLatin1Char('\n')))
                    add(where + QStringLiteral(" line"), line);
            if (auto* tree = qobject_cast<QTreeWidget*>(widget))
                for (int c = 0; c < tree->columnCount(); ++c)
                    add(where + QStringLiteral(" column"), tree->headerItem()->text(c));
        }
        for (QAction* action : top->findChildren<QAction*>()) {
            if (action->isSeparator())
                continue;
            if (const auto* menu = qobject_cast<QMenu*>(action->parent()); menu && listsData(menu))
                continue;
            add(top->objectName() + QStringLiteral(" action ") + action->objectName(), action->text());
            add(top->objectName() + QStringLiteral(" action hint ") + action->objectName(), action->toolTip());
        }
        return wrong;
    }
    QStringList sweepEverything(QChar mark)
    {
        main->menus().action("miListInfo")->trigger();
        auto* columns = main->findChild<TfmColumnsRen*>();
        if (!columns)
            return {QStringLiteral("no column settings dialog")};
        TfmAbout about([this](const QString& section, const QString& key) {
            return main->shell().options().LanguageTable.GetValue(section, key);
        });
        about.setObjectName(QStringLiteral("fmAbout"));
        about.show();
        main->menus().action("miStat")->trigger();
        TfmStat* statistics = nullptr;
        // The figures are counted on the window's worker first.
        if (!QTest::qWaitFor([&] { return (statistics = main->findChild<TfmStat*>()) != nullptr; }))
            return {QStringLiteral("no statistics window")};
        QStringList wrong = sweep(main.get(), mark) + sweep(columns, mark) + sweep(&about, mark);
        columns->close();
        statistics->close();
        QStringList previewWrong{QStringLiteral("no print preview")};
        printDialogs.sweep = [&](TfmPrintPreview& preview) { previewWrong = sweep(&preview, mark); };
        main->menus().action("miPrintList")->trigger();
        return wrong + previewWrong;
    }

    // The sample catalogue opened in a shown main window with the window panel, these options
    // added; the catalogue's own names (and the column names the record panel shows) are data.
    bool openSampleWithPanel(const char* options)
    {
        test::WriteTestFile(cli->path("setup.ini"), QByteArray("[Options]\n") + options
                                                        + "UseMDIPanel=1\n[lists]\ncount=1\ncomm1=films\nfilename1=films.kdx\n");
        WriteSampleCatalogue(cli->path("films.kdx"));
        data = test::u({"films.kdx", "films", "Фильмы", "Сериалы"});
        for (const ColumnDefinition& column : BuiltInColumnDefinitions())
            data << column.name;
        startMainWindow();
        if (!showMainWindow())
            return false;
        main->printing().setDialogs(&printDialogs);
        printDialogs.pdf = cli->path("preview.pdf");
        return (list = openLoaded(cli->path("films.kdx"))) != nullptr;
    }

private slots:
    void everyTextIsItsMarkerAlsoAfterAnOptionsSave()
    {
        newProgramFolder();
        WriteMarkerLanguage(cli->path("Marker.lng"), QLatin1Char('@'));
        WriteMarkerLanguage(cli->path("Marker2.lng"), QLatin1Char('#'));
        QVERIFY(openSampleWithPanel("DefLanguageFile=Marker.lng\n"));
        QVERIFY(main->mdiPanel());
        // The filter window stays open through the options save, so it has to follow the new language.
        main->menus().filterActions().front()->trigger();
        QVERIFY(list->filterForms().form(1) && list->filterForms().form(1)->isVisible());
        main->menus().action("miOptions")->trigger();
        TfmOpt* options = main->optionsDialog();
        QVERIFY(options->isVisible());
        QCOMPARE(options->windowTitle(), QStringLiteral("@MainMenu/Settings@"));

        QStringList wrong = sweepEverything(QLatin1Char('@'));
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QLatin1Char('\n'))));

        auto* language = options->findChild<QComboBox*>(QStringLiteral("cbLanguage"));
        language->setCurrentIndex(language->findText(QStringLiteral("Marker2.lng")));
        QVERIFY(options->btnSaveClick());
        QCOMPARE(main->menus().action("miOpen")->text(), QStringLiteral("#MainMenu/Open#"));
        options->ShowOptions(); // the dialog itself, re-translated, is swept open
        wrong = sweepEverything(QLatin1Char('#'));
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QLatin1Char('\n'))));
        QVERIFY2(prompts->asked.empty(), qPrintable(prompts->texts()));

        // The question before a lossy save is worded by the table too: each of its lines
        // is one marker (the markers hold no placeholders, so no data shows).
        list->controller().setCell(list->controller().currentList()->Row(0), csTitle, QStringLiteral("千"));
        list->AddSheet();
        prompts->answers = {PromptButton::Cancel};
        main->menus().action("miSave")->trigger();
        QTRY_VERIFY(idle());
        QCOMPARE(prompts->asked.size(), size_t(1));
        QCOMPARE(prompts->asked.front().caption, QStringLiteral("#Shell/LossySave#"));
        QCOMPARE(prompts->asked.front().text, QStringLiteral("#LossReport/Lossy#\n#LossReport/Line#\n#Shell/RecommendedForm#"));
        closeMainWindow();
    }

    // Every error path a person can reach tells its story in the language file's words:
    // with texts that are markers keeping their places, each message shows only markers,
    // the file names it quotes, numbers and punctuation.
    void everyErrorPathShowsOnlyMarkersAndFileNames()
    {
        newProgramFolder();
        WriteMarkerLanguageWithPlaces(cli->path("Places.lng"));
        // A bad value is told at start; a damaged cover layout when covers are printed.
        test::WriteTestFile(cli->path("setup.ini"), "[Options]\nDefLanguageFile=Places.lng\nsplitterpos=wide\n[Print]\nCoverFile=damaged.cvr\n");
        test::WriteTestFile(cli->path("damaged.cvr"), "cvr10");
        test::WriteTestFile(cli->path("notes.avi"), "not a video at all\n");
        QVERIFY(QDir(cli->folder()).mkpath(QStringLiteral("Plugins")));
        QVERIFY(QFile::copy(QStringLiteral(SHIPPED_KDP_DIR "/CsvExport.kdp"), cli->path("Plugins/CsvExport.kdp")));
        WriteSampleCatalogue(cli->path("films.kdx"));
        const QByteArray whole = test::ReadTestFile(cli->path("films.kdx"));
        test::WriteTestFile(cli->path("damaged.kdx"), whole.left(whole.size() / 2));
        test::WriteTestFile(cli->path("notimage.jpg"), "not a picture");
        test::WriteTestFile(cli->path("damaged.xkdx"), "<?xml version=\"1.0\"?>\n<Reelkeep MajorVersion=\"2\">\n<List Name=\"x\"></Lost>");
        test::WriteTestFile(cli->path("later.xkdx"), "<Reelkeep MajorVersion=\"3\" MinorVersion=\"0\"/>");
        test::WriteTestFile(cli->path("damaged.xls"), QByteArray("not a workbook ").repeated(64));
        QVERIFY(QDir(cli->folder()).mkpath(QStringLiteral("videos")) && QDir(cli->folder()).mkpath(QStringLiteral("out.csv")));
        QVERIFY(QFile::link(cli->path("nowhere"), cli->path("videos/gone.avi")));
        startMainWindow();
        main->printing().setDialogs(&printDialogs);
        printDialogs.pdf = cli->path("preview.pdf");
        QVERIFY((list = openLoaded(cli->path("films.kdx"))));
        QVERIFY(waitForPluginProbe());
        ListController& controller = list->controller();
        TzkRow* first = controller.currentList()->Row(0);

        QStringList told; // which path told nothing
        const auto expectTold = [&](const char* path, const std::function<void()>& act) {
            const size_t before = prompts->asked.size();
            act();
            if (!QTest::qWaitFor([&] { return prompts->asked.size() > before && !list->isBusy(); }, 20000))
                told << QString::fromLatin1(path);
        };
        expectTold("damaged catalogue", [&] { main->OpenFile(cli->path("damaged.kdx")); });
        expectTold("catalogue that is gone", [&] { main->OpenFile(cli->path("gone.kdx")); });
        expectTold("damaged XML catalogue", [&] { main->OpenFile(cli->path("damaged.xkdx")); });
        expectTold("XML catalogue of a later version", [&] { main->OpenFile(cli->path("later.xkdx")); });
        expectTold("damaged workbook", [&] { main->OpenFile(cli->path("damaged.xls")); });
        expectTold("skipped file in a walk", [&] { list->files().WalkFolder(cli->path("videos")); });
        expectTold("bad date in a sort", [&] {
            controller.setCell(first, csDateAdded, QStringLiteral("32.13.2020"));
            QVERIFY(!controller.sortBy(csDateAdded));
        });
        expectTold("bad disc count of a cover", [&] {
            controller.setCell(first, csDiscs, QStringLiteral("--"));
            list->grid()->setCurrentIndex(list->grid()->model()->index(0, 0));
            main->menus().action("miPrintCover")->trigger();
        });
        printDialogs.sweep = [](TfmPrintPreview&) {};
        expectTold("bad print column", [&] {
            IniFile(cli->path("setup.ini")).WriteString(QStringLiteral("print"), QStringLiteral("columns"), QStringLiteral("1,,12"));
            main->menus().action("miPrintList")->trigger();
        });
        QString coverNotice = QStringLiteral("no cover preview");
        printDialogs.sweep = [&](TfmPrintPreview& preview) { coverNotice = preview.notice(); };
        controller.setCell(first, csDiscs, QStringLiteral("1"));
        main->menus().action("miPrintCover")->trigger();
        QVERIFY(coverNotice.contains(QLatin1String("@Messages/CoverPastEnd@")));
        // A frame that cannot be taken: the chooser's line below the frames and each frame's hint.
        prompts->files = {{cli->path("notes.avi"), 0}};
        list->recordPanel()->imagePanel()->frameButton()->click();
        auto* chooser = list->findChild<TfmFrameChooser*>();
        QVERIFY(chooser);
        QSignalSpy taken(chooser, &TfmFrameChooser::framesTaken);
        QVERIFY(!chooser->isTaking() || taken.wait(30000));
        const QStringList frameTexts = {chooser->findChild<QLabel*>(QStringLiteral("lblFrameStatus"))->text(),
                                        chooser->thumbnails()->item(0)->toolTip()};
        QVERIFY(frameTexts[0].contains(QLatin1String("@Messages/FrameNotVideo@")));
        chooser->close();
        expectTold("refused image", [&] {
            prompts->files = {{cli->path("notimage.jpg"), 0}};
            list->records().AddImage();
        });
        expectTold("failed export", [&] {
            prompts->files = {{cli->path("out.csv"), 0}};
            prompts->answers = {PromptButton::Ok};
            main->menus().action("miExport")->trigger();
        });
        expectTold("full disk", [&] {
            // A file size limit fails the write as a full disk does, with the system's reason.
            const rlimit before = [] { rlimit limit{}; getrlimit(RLIMIT_FSIZE, &limit); return limit; }();
            const rlimit small{64, before.rlim_max};
            std::signal(SIGXFSZ, SIG_IGN);
            setrlimit(RLIMIT_FSIZE, &small);
            main->menus().action("miSave")->trigger();
            // The save writes on the window's worker: the limit stays until it has ended.
            const bool ended = QTest::qWaitFor([&] { return !list->isBusy(); }, 20000);
            setrlimit(RLIMIT_FSIZE, &before);
            QVERIFY(ended);
        });
        QVERIFY2(told.isEmpty(), qPrintable(told.join(QLatin1Char('\n'))));

        QStringList names;
        for (const char* name : {"damaged.kdx", "films.kdx", "videos/gone.avi", "notimage.jpg", "out.csv", "setup.ini",
                                 "damaged.cvr", "notes.avi", "damaged.xkdx", "later.xkdx", "damaged.xls", "gone.kdx"})
            names << cli->path(name);
        // and the section, key and value of the bad setting, with the file name a layout notice quotes
        names << test::u({"Options", "splitterpos", "wide", "damaged.cvr", "print", "Columns", "1,,12"});
        // the XML parser's reason, quoted in its own words
        names << QStringLiteral("mismatched tag");
        // and what the catalogue's own data a message quotes: sheet names and titles
        names << cli->folder() << QStringLiteral("CsvExport.kdp") << test::u({"Фильмы", "Бригада"});
        QStringList wrong;
        QStringList shown = frameTexts;
        shown << coverNotice;
        for (const Prompt& prompt : prompts->asked)
            shown << prompt.caption + QLatin1Char(' ') + prompt.text;
        for (const QString& text : shown)
            if (const QString rest = Unmarked(text, names); !rest.isEmpty())
                wrong << rest + QStringLiteral(" in: ") + text;
        QVERIFY(std::any_of(shown.begin(), shown.end(), [](const QString& text) { return text.contains(QLatin1String("@Messages/SettingsBadValue@")); }));
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QLatin1Char('\n'))));

        // Each file dialog has a title of its own (all cancelled here).
        const std::pair<const char*, const char*> titled[] = {{"miNew", "New"}, {"miOpen", "Open"}, {"miSaveAs", "SaveAs"},
                                                              {"miExport", "Export"}, {"miAddFromFile", "AddFromFile"}};
        for (const auto& [action, key] : titled) {
            prompts->lastCaption.clear();
            main->menus().action(action)->trigger();
            QCOMPARE(prompts->lastCaption, QStringLiteral("@FileDialogs/%1@").arg(QLatin1String(key)));
        }
        closeMainWindow();
    }

    // With the built-in Russian table no text on the screen holds a foreign word: the
    // windows, the program's prompts and Qt's own file dialog and edit menu.
    void theRussianTableShowsNoForeignWordQtDialogsIncluded()
    {
        newProgramFolder();
        QVERIFY(openSampleWithPanel(""));
        main->menus().filterActions().front()->trigger();
        QStringList wrong = sweepEverything(QChar());

        DialogPrompts real(main.get(), [this](const char* section, const char* key) { return main->shell().text(section, key); });
        QTimer::singleShot(0, this, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (!dialog) {
                wrong << QStringLiteral("no file dialog");
                return;
            }
            wrong += sweep(dialog, QChar());
            if (auto* view = dialog->findChild<QTreeView*>())
                for (int c = 0; c < view->model()->columnCount(); ++c)
                    if (const QString title = view->model()->headerData(c, Qt::Horizontal).toString(); !ForeignWords(title).isEmpty())
                        wrong << QStringLiteral("file dialog column: ") + title;
            dialog->close();
        });
        real.chooseFileToOpenTitled(main->shell().text("FileDialogs", "Open"), cli->folder(), {QStringLiteral("*.kdx")});

        QLineEdit edit;
        const std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
        for (const QAction* action : menu->actions())
            if (!action->isSeparator() && !ForeignWords(action->text().section(QLatin1Char('\t'), 0, 0)).isEmpty())
                wrong << QStringLiteral("edit menu: ") + action->text();

        // A damaged workbook and an XML catalogue of a later version are told of in Russian too.
        test::WriteTestFile(cli->path("damaged.xls"), QByteArray("not a workbook ").repeated(64));
        test::WriteTestFile(cli->path("later.xkdx"), "<Reelkeep MajorVersion=\"3\" MinorVersion=\"0\"/>");
        for (const char* name : {"damaged.xls", "later.xkdx"}) {
            const size_t before = prompts->asked.size();
            main->OpenFile(cli->path(name));
            QTRY_VERIFY(prompts->asked.size() > before);
            const Prompt& told = prompts->asked.back();
            if (!ForeignWords(QString(told.caption + u' ' + told.text).remove(cli->path(name))).isEmpty())
                wrong << told.text;
        }
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QLatin1Char('\n'))));
        closeMainWindow();
    }
};

QTEST_MAIN(TranslationSweepTest)
#include "TranslationSweepTest.moc"
