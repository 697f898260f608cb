#include "ExportCommand.h"

#include "CatalogueForms.h"
#include "HelperProcess.h"
#include "LossReport.h"
#include "ListController.h"
#include "Prompts.h"
#include "ReelkeepError.h"
#include "ShellState.h"
#include "TzkPluginsPack.h"
#include "TzkReelkeep.h"
#include "WindowWork.h"

#include <QDir>
#include <QFileInfo>

namespace reelkeep {

QStringList ExportFilters(const TzkPluginsPack& plugins)
{
    QStringList filters;
    for (int n = 1;; ++n) {
        const PluginInfo plugin = plugins.GetPlugin(kExportPlugin, n);
        if (plugin.LibraryPath.isEmpty())
            return filters;
        const qsizetype bar = plugin.FileFilter.indexOf(QLatin1Char('|'));
        if (plugin.FileFilter.trimmed().isEmpty() || bar < 0) {
            const QString name = plugin.DisplayName.isEmpty() ? QFileInfo(plugin.LibraryPath).completeBaseName() : plugin.DisplayName;
            filters << name + QStringLiteral(" (*)");
        } else {
            // Qt reads the patterns from the parentheses; a description that shows them already keeps its form.
            const QString description = plugin.FileFilter.left(bar).trimmed();
            const QString patterns = QStringLiteral("(") + plugin.FileFilter.mid(bar + 1).replace(QLatin1Char(';'), QLatin1Char(' ')).simplified()
                + QLatin1Char(')');
            filters << (description.endsWith(patterns) ? description : description + QLatin1Char(' ') + patterns);
        }
    }
}

namespace {

// Hands the document's text to plug-in n, which writes path.
void startExport(ListController& list, const ShellState& shell, Prompts& prompts, WindowWork& work, const QString& path, int n)
{
    const TzkReelkeep* document = list.document();
    const QString library = QDir::toNativeSeparators(shell.plugins().GetPlugin(kExportPlugin, n).LibraryPath);
    // The worker reads the document while the window is locked, and calls a copy of the
    // plug-in list, which a save of the options may replace meanwhile.
    struct Outcome {
        ExportOutcome written = ExportOutcome::Written;
        Message error;
    };
    auto outcome = std::make_shared<Outcome>();
    // Cancel ends the plug-in's process; the target stays as it was.
    auto stop = std::make_shared<StopSignal>();
    auto* stopLink = new QObject(&work);
    QObject::connect(&work, &WindowWork::cancelRequested, stopLink, [stop] { stop->Raise(); });
    const auto job = [outcome, document, plugins = shell.plugins(), n, path, stop](QPromise<void>& promise) {
        try {
            const QByteArray text = document->SaveToString();
            outcome->written = promise.isCanceled() ? ExportOutcome::Stopped : plugins.ExportToFile(n, path, text, stop.get());
        } catch (const ReelkeepError& error) {
            outcome->error = error.text();
        }
    };
    const auto done = [outcome, &list, &shell, &prompts, library, path, stopLink] {
        delete stopLink;
        QString failure;
        if (!outcome->error.isEmpty())
            failure = shell.text("Export", "Failed").arg(shell.render(outcome->error));
        else if (outcome->written == ExportOutcome::CannotCall)
            failure = shell.text("Export", "CannotCall").arg(library);
        else if (outcome->written == ExportOutcome::WroteNothing)
            failure = shell.text("Export", "WroteNothing").arg(QDir::toNativeSeparators(path));
        list.setStatus(shell.text("SBMessage", "Ready"));
        if (!failure.isEmpty())
            prompts.ask({PromptIcon::Error, QString(), failure, {PromptButton::Ok}});
    };
    list.setStatus(shell.text("SBMessage", "Saving"));
    if (!work.start(shell.text("SBMessage", "Saving"), job, done))
        delete stopLink;
}

} // namespace

void ExportCatalogue(ListController& list, const ShellState& shell, Prompts& prompts, WindowWork& work)
{
    const TzkReelkeep* document = list.document();
    const QStringList filters = ExportFilters(shell.plugins());
    if (!document || filters.isEmpty())
        return;
    const SaveChoice choice = prompts.chooseFileToSaveTitled(shell.text("FileDialogs", "Export"), QFileInfo(list.path()).absolutePath(), filters, 0);
    if (choice.path.isEmpty())
        return;
    const QString path = WithFilterExtension(choice.path, filters.value(choice.filterIndex));
    if (QFileInfo::exists(path)
        && prompts.ask({PromptIcon::Warning, shell.text("SysMessage", "FileExists"), shell.text("SysMessage", "FileExistsRewrite"),
                        {PromptButton::Ok, PromptButton::Cancel}})
            != PromptButton::Ok)
        return;
    const int n = choice.filterIndex + 1;
    // On a big catalogue the search for losses reads every text: on the worker, like the export.
    auto loss = std::make_shared<LossReport>();
    const auto check = [loss, lists = &document->Lists()](QPromise<void>&) { *loss = FindLoss(*lists, CatalogueForm::TextForm); };
    const auto checked = [loss, &list, &shell, &prompts, &work, path, n] {
        list.setStatus(shell.text("SBMessage", "Ready"));
        if (list.acceptLosses(path, *loss))
            startExport(list, shell, prompts, work, path, n);
    };
    list.setStatus(shell.text("SBMessage", "Saving"));
    work.runToEnd(shell.text("SBMessage", "Saving"), check, checked);
}

} // namespace reelkeep
