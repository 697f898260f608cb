#include "PrintCommands.h"

#include "AtomicPrinterOutput.h"
#include "CoverLayoutChoice.h"
#include "CoverPrinting.h"
#include "GridModel.h"
#include "ListController.h"
#include "ListPrinting.h"
#include "PrintDialogs.h"
#include "PageRecording.h"
#include "Prompts.h"
#include "ReelkeepError.h"
#include "ShellState.h"
#include "TfmList.h"
#include "TzkPrinter.h"
#include "WindowWork.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QPrinter>

namespace reelkeep {

PrintCommands::PrintCommands(ShellState& shell, Prompts& prompts, QWidget* owner)
    : m_shell(shell), m_prompts(prompts), m_owner(owner), m_systemDialogs(std::make_unique<SystemPrintDialogs>()),
      m_dialogs(m_systemDialogs.get())
{
}

PrintCommands::~PrintCommands() = default;

void PrintCommands::setDialogs(PrintDialogs* dialogs)
{
    m_dialogs = dialogs ? dialogs : m_systemDialogs.get();
}

namespace {

// What a printout refers to while it runs, past the command that started it.
struct CoverJob {
    CoverJob(const ShellState& shell, const TzkRow& record) : record(record), settings(CoverSettingsFrom(shell.options())), layouts(shell, settings) {}
    const TzkRow& record;
    // Read afresh, so a layout picked in the preview never reaches the settings.
    CoverPrintSettings settings;
    CoverLayoutChoice layouts;
    QPrinter printer{QPrinter::HighResolution};
};

struct ListJob {
    const TZKList* sheet = nullptr;
    std::vector<const TzkRow*> rows;
    ListPrintSettings settings;
    QPrinter printer{QPrinter::HighResolution};
};

} // namespace

void PrintCommands::printCover(TfmList& list)
{
    const std::vector<TzkRow*> selected = list.selectedRecords();
    if (selected.empty())
        return;
    const TzkRow& record = *selected.front();
    int discs = 0;
    try {
        discs = CoverDiscCount(record);
    } catch (const ReelkeepError& error) {
        showError(m_shell.render(error.text()));
        return;
    }
    if (discs <= 0) {
        m_prompts.ask({PromptIcon::Information, QString(), m_shell.text("Printing", "NoDiscs"), {PromptButton::Ok}});
        return;
    }

    auto job = std::make_shared<CoverJob>(m_shell, record);
    QPrinter& printer = job->printer;
    CoverLayoutChoice& layouts = job->layouts;
    KeepPageEdge(printer);
    TfmPrintPreview preview(printer, m_shell, m_owner);
    layouts.turnPageToFit(printer);
    preview.addCommandWidget("Printing", "CoverLayout", layouts.makeSelector([&] {
        layouts.turnPageToFit(printer);
        preview.refresh();
    }));
    QObject::connect(&preview, &TfmPrintPreview::aboutToDraw, &preview, [&] {
        preview.setNotice(layouts.notice(printer));
        preview.setPrintEnabled(layouts.usable());
    });
    // Drawn on a worker: by the time it runs, the layout picked is fixed.
    preview.setDrawing([job = job.get()](TzkPrinter& out) {
        if (job->layouts.usable())
            PrintCovers(out, job->record, job->settings);
    });
    previewAndPrint(job, preview, list);
}

void PrintCommands::printList(TfmList& list)
{
    ListController& controller = list.controller();
    const TZKList* sheet = controller.currentList();
    if (!sheet)
        return;
    auto job = std::make_shared<ListJob>();
    job->sheet = sheet;
    std::vector<Message> warnings;
    job->settings = ReadListPrintSettings(m_shell.settingsPath(), m_shell.options().Formats.decimalSeparator, warnings);
    // Bad values print with their defaults; the person is told which ones.
    if (!warnings.empty())
        m_prompts.ask({PromptIcon::Warning, QString(), m_shell.text("Shell", "SettingsFailed").arg(m_shell.renderLines(warnings)),
                       {PromptButton::Ok}});
    const std::vector<TzkRow*> shown = controller.model()->shownRows();
    job->rows.assign(shown.begin(), shown.end());
    KeepPageEdge(job->printer);
    TfmPrintPreview preview(job->printer, m_shell, m_owner);
    preview.setDrawing([job = job.get()](TzkPrinter& out) { PrintList(out, *job->sheet, job->rows, job->settings); });
    previewAndPrint(job, preview, list);
}

void PrintCommands::previewAndPrint(const std::shared_ptr<void>& job, TfmPrintPreview& preview, TfmList& list)
{
    ListController& controller = list.controller();
    QObject::connect(&preview, &TfmPrintPreview::aboutToDraw, &controller,
                     [this, &controller] { controller.setStatus(m_shell.text("Printing", "Status")); });
    QObject::connect(&preview, &TfmPrintPreview::drawingEnded, &controller,
                     [this, &controller] { controller.setStatus(m_shell.text("SBMessage", "Ready")); });
    // Cancel in the print dialog goes back to the preview, not out of printing.
    while (m_dialogs->preview(preview)) {
        QPrinter& printer = preview.printer();
        // The file the dialog offers for "print to file"; the printer stays the system's own.
        printer.setOutputFileName(QDir(pdfFolder()).filePath(QFileInfo(controller.path()).completeBaseName() + QStringLiteral(".pdf")));
        printer.setOutputFormat(QPrinter::NativeFormat);
        if (m_dialogs->choosePrinter(printer, preview.pageCount(), m_owner)) {
            if (!printer.outputFileName().isEmpty())
                m_pdfFolder = QFileInfo(printer.outputFileName()).absolutePath();
            print(job, preview, controller, list.work());
            return;
        }
    }
}

QString PrintCommands::pdfFolder() const
{
    if (!m_pdfFolder.isEmpty())
        return m_pdfFolder;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QDir(documents).exists() ? documents : QDir::homePath();
}

void PrintCommands::print(const std::shared_ptr<void>& job, TfmPrintPreview& preview, ListController& controller, WindowWork& work)
{
    QPrinter& printer = preview.printer();
    if (!printer.isValid()) {
        showError(m_shell.text("Printing", "PrintFailed").arg(m_shell.text("Printing", "NoPrinter")));
        return;
    }
    // A file is put in place only at the end, so stopping it loses nothing; a printer
    // would still be sent the pages played so far.
    const bool toFile = !printer.outputFileName().isEmpty();
    auto failure = std::make_shared<Message>();
    const auto printing = [&printer, drawing = preview.drawing(), recorded = preview.recordedPages(), toFile, failure,
                           cancelled = m_shell.text("Printing", "Cancelled")](QPromise<void>& promise) {
        try {
            AtomicPrinterOutput output(printer);
            {
                QPrinterTarget target(printer);
                std::shared_ptr<const RecordedPages> pages = recorded;
                // The page chosen in the print dialog differs from the preview's: drawn again for it.
                if (!pages || !(pages->measurements == target.Measurements())) {
                    auto fresh = std::make_shared<RecordedPages>();
                    fresh->measurements = target.Measurements();
                    RecordPages(drawing, *fresh, promise, cancelled);
                    if (promise.isCanceled())
                        return;
                    if (!fresh->stopped.isEmpty())
                        throw ReelkeepError(fresh->stopped);
                    pages = fresh;
                }
                TzkPrinter out(target);
                out.Selection = ChosenPages(printer);
                out.OnPageDone = [&](int page) {
                    promise.setProgressValue(page);
                    if (toFile && promise.isCanceled())
                        throw PrintCancelled(cancelled);
                };
                out.PlayRecorded(pages->pages);
            }
            output.commit();
        } catch (const PrintCancelled&) {
            // Asked for: nothing to tell.
        } catch (const ReelkeepError& error) {
            *failure = error.text();
        }
    };
    // The job's things go on the GUI thread, with the done step, once the worker is through.
    const auto ended = [this, job, failure, &controller] {
        controller.setStatus(m_shell.text("SBMessage", "Ready"));
        if (!failure->isEmpty())
            showError(m_shell.text("Printing", "PrintFailed").arg(m_shell.render(*failure)));
    };
    controller.setStatus(m_shell.text("Printing", "Status"));
    work.start(m_shell.text("Printing", "Status"), printing, ended,
               [pattern = m_shell.text("Printing", "PagesDrawn")](int done, int) { return pattern.arg(done); });
}

void PrintCommands::showError(const QString& text)
{
    m_prompts.ask({PromptIcon::Error, m_shell.text("Shell", "Error"), text, {PromptButton::Ok}});
}

} // namespace reelkeep
