// How long the desktop program stops answering during the commands a person uses on a
// 100,000-record catalogue. A probe timer on the GUI thread records the longest gap
// between two of its turns while each scripted command runs (from its start until its
// work, on whatever thread, has ended and the window is repainted); the table gives that
// stall and the command's whole time.

#include "FileEntryCommands.h"
#include "FilterForms.h"
#include "GridModel.h"
#include "ListController.h"
#include "MainMenu.h"
#include "NestedCatalogue.h"
#include "PluginProbeJob.h"
#include "PrintCommands.h"
#include "PrintDialogs.h"
#include "PrivateStateFolder.h"
#include "Prompts.h"
#include "RecordCommands.h"
#include "TReelkeepSerialiazerV2_1.h"
#include "TfmFilter.h"
#include "TfmList.h"
#include "TfmMain.h"
#include "TfmOpt.h"
#include "TfmPrintPreview.h"
#include "TfmStat.h"
#include "TzkRecordPanel.h"
#include "VideoFolder.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QPointer>
#include <QTimer>
#include <QTreeView>

#include <cstdio>
#include <functional>

using namespace reelkeep;

namespace {

// Every question answered with its first button; the file dialogs give what the script set.
class ScriptPrompts : public Prompts {
public:
    PromptButton ask(const Prompt& prompt) override { return prompt.buttons.front(); }
    QString chooseFileToOpen(const QString&, const QStringList&) override { return {}; }
    SaveChoice chooseFileToSave(const QString&, const QStringList&) override { return saveAs; }
    QStringList chooseFilesToOpen(const QString&, const QStringList&) override { return {}; }
    QString chooseFolder(const QString&, const QString&) override { return folder; }

    SaveChoice saveAs;
    QString folder;
};

// The preview comes up, draws its pages, shows them and is closed; nothing is printed.
class PreviewOnly : public PrintDialogs {
public:
    bool preview(TfmPrintPreview& preview) override
    {
        // As the preview's own modal loop would run meanwhile.
        QEventLoop shown;
        QObject::connect(&preview, &TfmPrintPreview::drawingEnded, &shown, &QEventLoop::quit);
        preview.show();
        if (preview.isDrawing())
            shown.exec();
        // The pages shown are painted before the preview closes.
        QTimer::singleShot(200, &shown, &QEventLoop::quit);
        shown.exec();
        preview.hide();
        return false;
    }
    bool choosePrinter(QPrinter&, int, QWidget*) override { return false; }
};

struct Measure {
    qint64 stallMs = 0;
    qint64 totalMs = 0;
};

// Runs the command from the event loop, then turns the loop until done() holds and one
// more probe has passed; the probe fires every millisecond it is let. A command that runs
// a loop of its own (a modal window) counts only once it has returned: the probe's turns
// inside that loop must not end the measure before the command's last stall.
Measure measure(const std::function<void()>& command, const std::function<bool()>& done)
{
    Measure result;
    QElapsedTimer total;
    QElapsedTimer sinceProbe;
    QEventLoop loop;
    QTimer probe;
    probe.setTimerType(Qt::PreciseTimer);
    bool returned = false;
    int settle = -1;
    QObject::connect(&probe, &QTimer::timeout, [&] {
        result.stallMs = std::max(result.stallMs, sinceProbe.restart());
        if (!returned)
            return;
        if (settle < 0 && done())
            settle = 20;
        else if (settle > 0 && --settle == 0)
            loop.quit();
    });
    QTimer::singleShot(0, [&] {
        command();
        returned = true;
    });
    total.start();
    sinceProbe.start();
    probe.start(1);
    loop.exec();
    result.totalMs = total.elapsed() - 20;
    return result;
}

void typeInto(QWidget* widget, const QString& text)
{
    for (const QChar c : text)
        QCoreApplication::postEvent(widget, new QKeyEvent(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c)));
}

bool idle(TfmList* list)
{
    return list->controller().document() && !list->controller().isLoading() && list->isEnabled()
        && list->widget()->isEnabled() && !list->isBusy();
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    reelkeep::bench::UsePrivateStateFolder();
    QApplication app(argc, argv);

    QTemporaryDir home;
    QTemporaryDir work;
    QDir(home.path()).mkpath(QStringLiteral("Plugins"));
    QFile::copy(QStringLiteral(SHIPPED_KDP_DIR "/CsvExport.kdp"), home.filePath(QStringLiteral("Plugins/CsvExport.kdp")));
    const QString file = work.filePath(QStringLiteral("typical.kdx"));
    TReelkeepSerialiazerV2_1().Save(file, reelkeep::bench::hundredThousandRecords(true));
    const QString videos = ::bench::VideoFolder::Get().path();

    ScriptPrompts prompts;
    TfmMain main(home.path(), &prompts);
    PreviewOnly previewOnly;
    main.printing().setDialogs(&previewOnly);
    main.resize(1280, 1000);
    main.show();
    // Export is offered once the plug-ins have answered: on a busy machine that may come late.
    if (main.pluginProbe().isRunning()) {
        QEventLoop probed;
        QObject::connect(&main.pluginProbe(), &PluginProbeJob::probed, &probed, &QEventLoop::quit);
        probed.exec();
    }

    TfmList* list = nullptr;
    const auto ready = [&list] { return list && idle(list); };
    const auto now = [] { return true; };
    bool picked = false;
    int recordsLeft = 0;
    QPointer<TfmList> closing;
    const auto selectAll = [&list] { list->SelectAll(); };
    struct Step {
        const char* name;
        std::function<void()> command;
        std::function<bool()> done;
    };
    const Step steps[] = {
        {"open", [&] { list = main.OpenFile(file); }, ready},
        {"header sort", [&] { emit list->grid()->header()->sectionClicked(2); }, now},
        {"filter window, six keys",
         [&] {
             list->ShowFilter(1);
             typeInto(list->filterForms().form(1)->edit(), QStringLiteral("*ан*ой"));
         },
         [&] {
             const TfmFilter* form = list->filterForms().form(1);
             return form->hasValues() && form->edit()->text().size() == 6;
         }},
        {"quick search, Enter",
         [&] {
             list->filterForms().form(1)->close();
             QLineEdit* box = list->findChild<QComboBox*>(QStringLiteral("cbSearch"))->lineEdit();
             typeInto(box, QStringLiteral("zzz"));
             QCoreApplication::postEvent(box, new QKeyEvent(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier));
         },
         now},
        {"Ctrl+A, colour",
         [&] {
             selectAll();
             emit list->recordPanel()->colourPicked(QStringLiteral("000000FF"));
         },
         now},
        // Three moves of a person, each in a turn of its own as their keys come: Ctrl+A,
        // the pick window opened, a value picked in it.
        {"Ctrl+A, pick value",
         [&] {
             picked = false;
             selectAll();
             QTimer::singleShot(0, [&] {
                 list->records().AutoFill(5);
                 QTimer::singleShot(0, [&] {
                     emit list->records().pickWindow()->valuePicked(5, QStringLiteral("драма"));
                     list->records().pickWindow()->close();
                     picked = true;
                 });
             });
         },
         [&] { return picked; }},
        {"delete 50,000 selected",
         [&] {
             QAbstractItemModel* model = list->grid()->model();
             list->grid()->selectionModel()->select(QItemSelection(model->index(0, 0), model->index(49999, 0)),
                                                    QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
             list->records().DelItem();
         },
         now},
        {"group",
         [&] {
             QAbstractItemModel* model = list->grid()->model();
             list->grid()->setCurrentIndex(model->index(100, 0));
             list->grid()->selectionModel()->select(QItemSelection(model->index(100, 0), model->index(109, 0)),
                                                    QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
             list->records().GroupSelected();
         },
         now},
        {"statistics",
         [&] {
             selectAll();
             list->CalculateStat();
         },
         [&] {
             // Counted on the window's worker, the figures come up in their window.
             auto* stat = list->findChild<TfmStat*>();
             if (stat)
                 stat->close();
             return stat != nullptr;
         }},
        {"save", [&] { list->controller().save(); }, ready},
        {"save as .xkdx",
         [&] {
             prompts.saveAs = {work.filePath(QStringLiteral("typical.xkdx")), 0};
             main.menus().action("miSaveAs")->trigger();
         },
         ready},
        {"export CSV",
         [&] {
             prompts.saveAs = {work.filePath(QStringLiteral("typical.csv")), 0};
             main.menus().action("miExport")->trigger();
         },
         ready},
        {"print preview of the list", [&] { main.printing().printList(*list); }, ready},
        {"add a folder of 400 videos",
         [&] {
             prompts.folder = videos;
             list->files().AddFromFolder();
         },
         ready},
        {"options save",
         [&] {
             main.optionsDialog()->ShowOptions();
             main.optionsDialog()->btnSaveClick();
             main.optionsDialog()->close();
         },
         ready},
        // Asked whether to save, the first button saves; the window goes once it is written.
        {"close the window",
         [&] {
             recordsLeft = list->controller().currentList()->RowCount();
             closing = list;
             list->close();
         },
         [&] { return !closing; }},
    };

    std::printf("| command | longest stall (ms) | whole command (ms) |\n|---|---:|---:|\n");
    for (const Step& step : steps) {
        const Measure m = measure(step.command, step.done);
        std::printf("| %s | %lld | %lld |\n", step.name, static_cast<long long>(m.stallMs), static_cast<long long>(m.totalMs));
        std::fflush(stdout);
    }
    std::printf("records left: %d\n", recordsLeft);
    return 0;
}
