#include "PrintCommands.h"

#include "AtomicPrinterOutput.h"
#include "CoverLayoutChoice.h"
#include "CoverPrinting.h"
#include "GridModel.h"
#include "ListController.h"
#include "ListPrinting.h"
#include "PrintDialogs.h"
#include "PrintProgress.h"
#include "Prompts.h"
#include "ReelkeepError.h"
#include "ShellState.h"
#include "TfmList.h"
#include "TzkPrinter.h"

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

    // Read afresh, so a layout picked in the preview never reaches the settings.
    CoverPrintSettings settings = CoverSettingsFrom(m_shell.options());
    CoverLayoutChoice layouts(m_shell, settings);
    QPrinter printer(QPrinter::HighResolution);
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
    preview.setDrawing(withStatus(list.controller(), [&](TzkPrinter& out) {
        if (layouts.usable())
            PrintCovers(out, record, settings);
    }));
    previewAndPrint(preview, list.controller().path());
}

void PrintCommands::printList(TfmList& list)
{
    ListController& controller = list.controller();
    const TZKList* sheet = controller.currentList();
    if (!sheet)
        return;
    QStringList warnings;
    const ListPrintSettings settings = ReadListPrintSettings(m_shell.settingsPath(), m_shell.options().Formats.decimalSeparator, warnings);
    // Bad values print with their defaults; the person is told which ones.
    if (!warnings.isEmpty())
        m_prompts.ask({PromptIcon::Warning, QString(), m_shell.text("Shell", "SettingsFailed").arg(warnings.join(QLatin1Char('\n'))),
                       {PromptButton::Ok}});
    const std::vector<TzkRow*> shown = controller.model()->shownRows();
    const std::vector<const TzkRow*> rows(shown.begin(), shown.end());
    QPrinter printer(QPrinter::HighResolution);
    KeepPageEdge(printer);
    TfmPrintPreview preview(printer, m_shell, m_owner);
    preview.setDrawing(withStatus(controller, [&](TzkPrinter& out) { PrintList(out, *sheet, rows, settings); }));
    previewAndPrint(preview, controller.path());
}

TfmPrintPreview::Drawing PrintCommands::withStatus(ListController& controller, TfmPrintPreview::Drawing drawing) const
{
    return [this, &controller, drawing = std::move(drawing)](TzkPrinter& out) {
        controller.setStatus(m_shell.text("Printing", "Status"));
        try {
            drawing(out);
        } catch (...) {
            controller.setStatus(m_shell.text("SBMessage", "Ready"));
            throw;
        }
        controller.setStatus(m_shell.text("SBMessage", "Ready"));
    };
}

void PrintCommands::previewAndPrint(TfmPrintPreview& preview, const QString& cataloguePath)
{
    // Cancel in the print dialog goes back to the preview, not out of printing.
    while (m_dialogs->preview(preview)) {
        QPrinter& printer = preview.printer();
        // The file the dialog offers for "print to file"; the printer stays the system's own.
        printer.setOutputFileName(QDir(pdfFolder()).filePath(QFileInfo(cataloguePath).completeBaseName() + QStringLiteral(".pdf")));
        printer.setOutputFormat(QPrinter::NativeFormat);
        if (m_dialogs->choosePrinter(printer, preview.pageCount(), m_owner)) {
            if (!printer.outputFileName().isEmpty())
                m_pdfFolder = QFileInfo(printer.outputFileName()).absolutePath();
            print(preview);
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

void PrintCommands::print(TfmPrintPreview& preview)
{
    QPrinter& printer = preview.printer();
    try {
        if (!printer.isValid())
            throw ReelkeepError(m_shell.text("Printing", "NoPrinter"));
        // A file is put in place only at the end, so stopping it loses nothing.
        const bool toFile = !printer.outputFileName().isEmpty();
        AtomicPrinterOutput output(printer);
        {
            QPrinterTarget target(printer);
            TzkPrinter out(target);
            out.Selection = ChosenPages(printer);
            PrintProgress progress(m_shell, m_owner, toFile);
            progress.watch(out);
            preview.drawing()(out);
        }
        output.commit();
    } catch (const PrintCancelled&) {
        // Asked for: nothing to tell.
    } catch (const ReelkeepError& error) {
        showError(m_shell.text("Printing", "PrintFailed").arg(m_shell.render(error.text())));
    }
}

void PrintCommands::showError(const QString& text)
{
    m_prompts.ask({PromptIcon::Error, m_shell.text("Shell", "Error"), text, {PromptButton::Ok}});
}

} // namespace reelkeep
