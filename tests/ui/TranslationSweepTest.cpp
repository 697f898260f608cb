// Every visible text of every window and dialog comes from the language table: with
// a language file whose texts are markers of their own section and key, each text
// shown — in the main, list, options, column, About, filter and statistics windows
// and the list's print preview — is its marker (or holds one, as status texts with
// counts do), apart from the few listed built-in texts and the catalogue's own data —
// also after the options dialog switched to another such file.
#include "FilterForms.h"
#include "MainMenu.h"
#include "PrintCommands.h"
#include "PrintDialogs.h"
#include "TMDIPanel.h"
#include "TfmAbout.h"
#include "TfmColumnsRen.h"
#include "TfmFilter.h"
#include "TfmOpt.h"
#include "TfmPrintPreview.h"
#include "TfmStat.h"
#include "TzkPrintTarget.h"
#include "UiTestSupport.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTreeWidget>

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
        auto* statistics = main->findChild<TfmStat*>();
        if (!statistics)
            return {QStringLiteral("no statistics window")};
        QStringList wrong = sweep(main.get(), mark) + sweep(columns, mark) + sweep(&about, mark);
        columns->close();
        statistics->close();
        QStringList previewWrong{QStringLiteral("no print preview")};
        printDialogs.sweep = [&](TfmPrintPreview& preview) { previewWrong = sweep(&preview, mark); };
        main->menus().action("miPrintList")->trigger();
        return wrong + previewWrong;
    }

private slots:
    void everyTextIsItsMarkerAlsoAfterAnOptionsSave()
    {
        newProgramFolder();
        WriteMarkerLanguage(cli->path("Marker.lng"), QLatin1Char('@'));
        WriteMarkerLanguage(cli->path("Marker2.lng"), QLatin1Char('#'));
        test::WriteTestFile(cli->path("setup.ini"),
                            "[Options]\nDefLanguageFile=Marker.lng\nUseMDIPanel=1\n[lists]\ncount=1\ncomm1=films\nfilename1=films.kdx\n");
        WriteSampleCatalogue(cli->path("films.kdx"));
        data = test::u({"films.kdx", "films", "Фильмы", "Сериалы"});
        // The record panel's labels and memo hints are the catalogue's column names.
        for (const ColumnDefinition& column : BuiltInColumnDefinitions())
            data << column.name;
        startMainWindow();
        QVERIFY(showMainWindow());
        main->printing().setDialogs(&printDialogs);
        printDialogs.pdf = cli->path("preview.pdf");
        QVERIFY((list = openLoaded(cli->path("films.kdx"))));
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
};

QTEST_MAIN(TranslationSweepTest)
#include "TranslationSweepTest.moc"
