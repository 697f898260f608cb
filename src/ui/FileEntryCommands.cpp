#include "FileEntryCommands.h"

#include "FileNameSeparators.h"
#include "FolderWalk.h"
#include "GridModel.h"
#include "ListController.h"
#include "Prompts.h"
#include "RecordSelection.h"
#include "ReelkeepError.h"
#include "ShellState.h"
#include "TzkRecordEntry.h"
#include "TzkRecordPanel.h"
#include "WindowWork.h"

#include <QDir>
#include <QFileInfo>
#include <memory>

namespace reelkeep {
namespace {

// Lines of a list shown in one message; the rest are counted.
constexpr qsizetype kListedLines = 40;

} // namespace

struct FileEntryCommands::Outcome {
    Outcome(const TZKList& list, const TzkRow* current) : Recorded(list, current) {}
    RecordedEntry Recorded;
    WalkResult Walk;
    Message Error;
    QStringList LengthUnread;
};

QStringList VideoFileFilters()
{
    // "Name|*.a;*.b|Name|*.c" becomes "Name (*.a *.b)", "Name (*.c)".
    const QStringList parts = QString::fromLatin1(kVideoExtensionList).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        filters << parts[i] + QStringLiteral(" (") + QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' ')) + QLatin1Char(')');
    return filters;
}

FileEntryCommands::FileEntryCommands(RecordSelection& selection, TzkRecordPanel& panel, ListController& controller,
                                     ShellState& shell, Prompts& prompts, WindowWork& work, QObject* parent)
    : QObject(parent),
      m_selection(selection),
      m_panel(panel),
      m_shell(shell),
      m_prompts(prompts),
      m_controller(controller),
      m_work(work)
{
}

void FileEntryCommands::remember(const QString& folder)
{
    const QString path = QDir(folder).absolutePath();
    m_shell.options().LastAviDir = path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/');
}

TzkRow* FileEntryCommands::parentOfCurrent() const
{
    const TzkRow* current = m_selection.currentRecord();
    GridModel* model = m_controller.model();
    return current ? model->rowAt(model->indexOf(current).parent()) : nullptr;
}

void FileEntryCommands::AddFromFile()
{
    if (!m_controller.currentList() || m_work.isRunning())
        return;
    const QStringList files = m_prompts.chooseFilesToOpenTitled(m_shell.text("FileDialogs", "AddFromFile"),
                                                                m_shell.options().LastAviDir, VideoFileFilters());
    if (files.isEmpty())
        return;
    remember(QFileInfo(files.front()).absolutePath());
    enterInBackground("FilesCaption", nullptr, parentOfCurrent(), [files](TzkRecordEntry& entry, const WalkOptions& options) {
        options.Progress(0, static_cast<int>(files.size()));
        entry.ProcessFiles(files, options);
        return WalkResult();
    }, [this](const Outcome& outcome) {
        tellUnreadLengths(outcome.LengthUnread);
        if (!outcome.Error.isEmpty())
            tell(m_shell.render(outcome.Error), true);
    });
}

void FileEntryCommands::AddFromFolder()
{
    if (!m_controller.currentList() || m_work.isRunning())
        return;
    const QString dir = ChooseFolder();
    if (!dir.isEmpty())
        WalkFolder(dir);
}

QString FileEntryCommands::ChooseFolder()
{
    const QString dir = m_prompts.chooseFolder(m_shell.text("SysMessage", "ChooseDirectory"), m_shell.options().LastAviDir);
    if (!dir.isEmpty())
        remember(dir);
    return dir;
}

void FileEntryCommands::WalkFolder(const QString& dir)
{
    if (!m_controller.currentList() || m_work.isRunning())
        return;
    enterWalked([dir](TzkRecordEntry& entry, const WalkOptions& options) { return entry.AddFolder(dir, options); });
}

void FileEntryCommands::EnterFoundFiles(const QStringList& files)
{
    if (!m_controller.currentList() || m_work.isRunning() || files.isEmpty())
        return;
    enterWalked([files](TzkRecordEntry& entry, const WalkOptions& options) { return entry.EnterFoundFiles(files, options); });
}

void FileEntryCommands::enterWalked(Work work)
{
    enterInBackground("WalkCaption", nullptr, parentOfCurrent(), std::move(work), [this](const Outcome& outcome) {
        QStringList skipped;
        for (const SkippedPath& skip : outcome.Walk.Skipped)
            skipped << skip.Path + QStringLiteral(": ") + m_shell.render(skip.Reason);
        reportWalk(m_shell.render(outcome.Error), skipped, outcome.LengthUnread);
    });
}

void FileEntryCommands::enterInBackground(const char* captionKey, TzkRow* current, TzkRow* parent, Work work,
                                          std::function<void(const Outcome&)> report)
{
    const TZKList& list = *m_controller.currentList();
    // Made here, from the live sheet, before the worker starts: it never sees the sheet itself.
    auto outcome = std::make_shared<Outcome>(list, current);
    const FileNameSeparators separators = FileNameSeparators::From(m_shell.options());
    const LocaleFormats formats = list.Formats;
    const bool frameForNewRecords = m_shell.options().FrameForNewRecords;
    const QString caption = m_shell.text("FileEntry", captionKey);
    if (!current)
        m_controller.setStatus(caption);
    const auto job = [outcome, separators, formats, frameForNewRecords, work = std::move(work)](QPromise<void>& promise) {
        TzkRecordEntry entry(outcome->Recorded, separators, formats);
        entry.SetFrameForNewRecords(frameForNewRecords);
        entry.SetLengthUnreadHook([&outcome = *outcome](const QString& file) { outcome.LengthUnread << file; });
        WalkOptions options;
        options.Progress = [&promise](int done, int found) {
            if (promise.future().progressMaximum() != found)
                promise.setProgressRange(0, found);
            promise.setProgressValue(done);
        };
        options.Cancelled = [&promise] { return promise.isCanceled(); };
        try {
            outcome->Walk = work(entry, options);
        } catch (const ReelkeepError& failure) {
            outcome->Error = failure.text();
        }
    };
    const auto done = [this, outcome, current, parent, report = std::move(report)] {
        const auto [added, last] = playBack(outcome->Recorded.Steps(), current, parent);
        if (current)
            m_panel.showRecord(current);
        else
            showEntered(added, last);
        report(*outcome);
        emit entryFinished();
    };
    const auto label = [this](int done, int total) {
        return total > 0 ? m_shell.text("FileEntry", "FilesDone").arg(done).arg(total) : m_shell.text("FileEntry", "Searching");
    };
    m_work.start(caption, job, done, label);
}

std::pair<int, const TzkRow*> FileEntryCommands::playBack(const std::vector<EntryStep>& steps, TzkRow* current, TzkRow* parent)
{
    // One batch of files is one undo step.
    const ListController::Batch batch(m_controller);
    std::vector<TzkRow*> added;
    for (const EntryStep& step : steps) {
        if (step.Column == EntryStep::kAddRecord) {
            added.push_back(m_controller.addEnteredRecord(parent));
            continue;
        }
        const bool ofCurrent = step.Record == EntryStep::kCurrentRecord;
        TzkRow* row = ofCurrent ? current : added[static_cast<size_t>(step.Record)];
        if (step.Column == EntryStep::kAddImage)
            ofCurrent ? m_controller.addImage(row, step.Image) : m_controller.addEnteredImage(row, step.Image);
        else if (ofCurrent)
            m_controller.setCell(row, step.Column, step.Text);
        else
            m_controller.fillEnteredCell(row, step.Column, step.Text);
    }
    return {static_cast<int>(added.size()), added.empty() ? nullptr : added.back()};
}

void FileEntryCommands::FillFromFile()
{
    if (!m_controller.currentList() || !m_selection.currentRecord() || m_work.isRunning())
        return;
    const QString file = m_prompts.chooseFileToOpen(m_shell.options().LastAviDir, VideoFileFilters());
    if (!file.isEmpty())
        enterIntoCurrent({file}, &TzkRecordEntry::FillCurrentRecord);
}

void FileEntryCommands::AppendFile()
{
    if (!m_controller.currentList() || !m_selection.currentRecord() || m_work.isRunning())
        return;
    const QStringList files = m_prompts.chooseFilesToOpen(m_shell.options().LastAviDir, VideoFileFilters());
    if (!files.isEmpty())
        enterIntoCurrent(files, &TzkRecordEntry::AppendFile);
}

void FileEntryCommands::enterIntoCurrent(const QStringList& files, void (TzkRecordEntry::*step)(const QString&))
{
    remember(QFileInfo(files.front()).absolutePath());
    enterInBackground("FilesCaption", m_selection.currentRecord(), nullptr, [files, step](TzkRecordEntry& entry, const WalkOptions& options) {
        for (const QString& file : files) {
            if (options.Cancelled())
                break;
            (entry.*step)(file);
        }
        return WalkResult();
    }, [this](const Outcome& outcome) {
        tellUnreadLengths(outcome.LengthUnread);
        if (!outcome.Error.isEmpty())
            tell(m_shell.render(outcome.Error), true);
    });
}

void FileEntryCommands::tellUnreadLengths(const QStringList& files)
{
    for (const QString& file : files)
        tell(m_shell.text("FileEntry", "LengthUnread").arg(file), false);
}

void FileEntryCommands::showEntered(int added, const TzkRow* last)
{
    m_controller.endEntry();
    if (added > 0)
        m_selection.focusRecord(last);
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
