#include "FileEntryCommands.h"

#include "FileNameSeparators.h"
#include "FolderWalk.h"
#include "GridModel.h"
#include "InterfaceLock.h"
#include "ListController.h"
#include "Prompts.h"
#include "ReelkeepError.h"
#include "ShellState.h"
#include "TfmList.h"
#include "TzkRecordEntry.h"
#include "TzkRecordPanel.h"
#include "WalkProgress.h"

#include <QDir>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenuBar>
#include <QScopedValueRollback>

namespace reelkeep {
namespace {

// Lines of a list shown in one message; the rest are counted.
constexpr qsizetype kListedLines = 40;

// The list window as record entry sees it: records added go through the controller's
// entry calls and are shown together at the end; cells of a record that was already
// there are set as a person's edit sets them.
class WindowEntryTarget : public ListEntryTarget {
public:
    WindowEntryTarget(ListController& controller, TZKList& list, TzkRow* current, TzkRow* parent)
        : ListEntryTarget(list), m_controller(controller), m_parent(parent)
    {
        Current = current;
    }
    TzkRow* AddEmptyRecord() override
    {
        Current = m_controller.addEnteredRecord(m_parent);
        ++Added;
        return Current;
    }
    void StoreCell(TzkRow& row, int column, const QString& text) override
    {
        if (Added > 0)
            m_controller.fillEnteredCell(&row, column, text);
        else
            m_controller.setCell(&row, column, text);
    }

    int Added = 0;

private:
    ListController& m_controller;
    TzkRow* m_parent;
};

TzkRecordEntry entryFor(RecordEntryTarget& target, const ShellState& shell)
{
    return TzkRecordEntry(target, FileNameSeparators::From(shell.options()), target.List().Formats);
}

} // namespace

QStringList VideoFileFilters()
{
    // "Name|*.a;*.b|Name|*.c" becomes "Name (*.a *.b)", "Name (*.c)".
    const QStringList parts = QString::fromLatin1(kVideoExtensionList).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        filters << parts[i] + QStringLiteral(" (") + QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' ')) + QLatin1Char(')');
    return filters;
}

FileEntryCommands::FileEntryCommands(TfmList& window, TzkRecordPanel& panel, ShellState& shell, Prompts& prompts)
    : QObject(&window),
      m_window(window),
      m_panel(panel),
      m_shell(shell),
      m_prompts(prompts),
      m_controller(window.controller())
{
}

void FileEntryCommands::remember(const QString& folder)
{
    const QString path = QDir(folder).absolutePath();
    m_shell.options().LastAviDir = path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/');
}

TzkRow* FileEntryCommands::parentOfCurrent() const
{
    const TzkRow* current = m_window.currentRecord();
    GridModel* model = m_controller.model();
    return current ? model->rowAt(model->indexOf(current).parent()) : nullptr;
}

void FileEntryCommands::AddFromFile()
{
    TZKList* list = m_controller.currentList();
    if (!list || isEntering())
        return;
    const QStringList files = m_prompts.chooseFilesToOpen(m_shell.options().LastAviDir, VideoFileFilters());
    if (files.isEmpty())
        return;
    remember(QFileInfo(files.front()).absolutePath());
    WindowEntryTarget target(m_controller, *list, m_window.currentRecord(), parentOfCurrent());
    QString error;
    enterLocked(target, "FilesCaption", static_cast<int>(files.size()), error, [this, &files](TzkRecordEntry& entry, const WalkOptions& options) {
        tellUnreadLengths(entry);
        entry.ProcessFiles(files, options);
        return WalkResult();
    });
    showEntered(target.Added, target.Current);
    if (!error.isEmpty())
        tell(error, true);
    emit entryFinished();
}

void FileEntryCommands::AddFromFolder()
{
    if (!m_controller.currentList() || isEntering())
        return;
    const QString dir = m_prompts.chooseFolder(m_shell.text("SysMessage", "ChooseDirectory"), m_shell.options().LastAviDir);
    if (dir.isEmpty())
        return;
    remember(dir);
    WalkFolder(dir);
}

void FileEntryCommands::WalkFolder(const QString& dir)
{
    TZKList* list = m_controller.currentList();
    if (!list || isEntering())
        return;
    WindowEntryTarget target(m_controller, *list, m_window.currentRecord(), parentOfCurrent());
    QStringList lengthUnread;
    QString error;
    const WalkResult result = enterLocked(target, "WalkCaption", -1, error, [&dir, &lengthUnread](TzkRecordEntry& entry, const WalkOptions& options) {
        entry.SetLengthUnreadHook([&lengthUnread](const QString& file) { lengthUnread << file; });
        return entry.AddFolder(dir, options);
    });
    showEntered(target.Added, target.Current);
    QStringList skipped;
    for (const SkippedPath& skip : result.Skipped)
        skipped << skip.Path + QStringLiteral(": ") + skip.Reason;
    reportWalk(error, skipped, lengthUnread);
    emit entryFinished();
}

WalkResult FileEntryCommands::enterLocked(RecordEntryTarget& target, const char* captionKey, int files, QString& error,
                                          const std::function<WalkResult(TzkRecordEntry&, const WalkOptions&)>& work)
{
    // Entry runs on this thread and puts records straight into the document; a walk's
    // media are read ahead on the core's worker pool, and each poll lets pending events
    // run. The windows and the menus are disabled meanwhile, so nothing else can change
    // the catalogue; the progress window is not modal, so that closing the program
    // reaches the main window, which stops the entry and closes after it has returned.
    auto* mainWindow = qobject_cast<QMainWindow*>(m_window.window());
    const InterfaceLock lock{mainWindow ? mainWindow->centralWidget() : m_window.widget(), mainWindow ? mainWindow->menuBar() : nullptr};
    m_controller.setStatus(m_shell.text("FileEntry", captionKey));
    WalkProgress progress(m_shell, m_shell.text("FileEntry", captionKey), mainWindow ? static_cast<QWidget*>(mainWindow) : &m_window);
    // Known before any event runs, so that a close meanwhile only stops the entry.
    const QScopedValueRollback<WalkProgress*> entering(m_entry, &progress);
    if (files >= 0)
        progress.setCount(0, files);
    TzkRecordEntry entry = entryFor(target, m_shell);
    entry.SetFrameForNewRecords(m_shell.options().FrameForNewRecords);
    WalkOptions options;
    options.Progress = [&progress](int done, int found) { progress.setCount(done, found); };
    options.Cancelled = [&progress] { return progress.poll(); };
    try {
        return work(entry, options);
    } catch (const ReelkeepError& failure) {
        error = failure.message();
    }
    return {};
}

void FileEntryCommands::cancelEntry()
{
    if (m_entry)
        m_entry->stop();
}

void FileEntryCommands::FillFromFile()
{
    if (!m_controller.currentList() || !m_window.currentRecord())
        return;
    const QString file = m_prompts.chooseFileToOpen(m_shell.options().LastAviDir, VideoFileFilters());
    if (!file.isEmpty())
        enterIntoCurrent({file}, &TzkRecordEntry::FillCurrentRecord);
}

void FileEntryCommands::AppendFile()
{
    if (!m_controller.currentList() || !m_window.currentRecord())
        return;
    const QStringList files = m_prompts.chooseFilesToOpen(m_shell.options().LastAviDir, VideoFileFilters());
    if (!files.isEmpty())
        enterIntoCurrent(files, &TzkRecordEntry::AppendFile);
}

void FileEntryCommands::enterIntoCurrent(const QStringList& files, void (TzkRecordEntry::*step)(const QString&))
{
    TzkRow* row = m_window.currentRecord();
    remember(QFileInfo(files.front()).absolutePath());
    WindowEntryTarget target(m_controller, *m_controller.currentList(), row, nullptr);
    TzkRecordEntry entry = entryFor(target, m_shell);
    tellUnreadLengths(entry);
    try {
        for (const QString& file : files)
            (entry.*step)(file);
    } catch (const ReelkeepError& failure) {
        tell(failure.message(), true);
    }
    m_panel.showRecord(row);
}

void FileEntryCommands::tellUnreadLengths(TzkRecordEntry& entry)
{
    entry.SetLengthUnreadHook([this](const QString& file) { tell(m_shell.text("FileEntry", "LengthUnread").arg(file), false); });
}

void FileEntryCommands::showEntered(int added, const TzkRow* last)
{
    m_controller.endEntry();
    if (added > 0)
        m_window.focusRecord(last);
    m_controller.setStatus(m_shell.text("Records", "Added").arg(added));
}

void FileEntryCommands::tell(const QString& text, bool error)
{
    m_prompts.ask({error ? PromptIcon::Error : PromptIcon::Warning, error ? m_shell.text("Shell", "Error") : QString(), text,
                   {PromptButton::Ok}});
}

void FileEntryCommands::reportWalk(const QString& error, const QStringList& skipped, const QStringList& lengthUnread)
{
    const auto listed = [this](const char* key, const QStringList& lines) {
        QString text = m_shell.text("FileEntry", key).arg(lines.size());
        for (const QString& line : lines.first(std::min(lines.size(), kListedLines)))
            text += QLatin1Char('\n') + line;
        if (lines.size() > kListedLines)
            text += QLatin1Char('\n') + m_shell.text("FileEntry", "More").arg(lines.size() - kListedLines);
        return text;
    };
    QStringList parts;
    if (!error.isEmpty())
        parts << error;
    if (!skipped.isEmpty())
        parts << listed("Skipped", skipped);
    if (!lengthUnread.isEmpty())
        parts << listed("LengthsUnread", lengthUnread);
    if (parts.isEmpty())
        return;
    m_prompts.ask({error.isEmpty() ? PromptIcon::Warning : PromptIcon::Error, m_shell.text("FileEntry", "WalkCaption"),
                   parts.join(QStringLiteral("\n\n")), {PromptButton::Ok}});
}

} // namespace reelkeep
