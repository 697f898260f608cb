#include "TzkPluginsPack.h"

#include "CodePage.h"
#include "FileIO.h"
#include "HelperLocation.h"
#include "HelperProcess.h"
#include "PluginWire.h"

#include <QDir>
#include <QFileInfo>

namespace reelkeep {
namespace {

// Writing a large catalogue takes a plug-in seconds at most.
constexpr std::chrono::milliseconds kExportDeadline{300000};

QString host()
{
    return HelperExecutable(QStringLiteral("reelkeep-plugin-host"));
}

Message failureText(const HelperFailure& failure, std::chrono::milliseconds deadline)
{
    switch (failure.reason()) {
    case HelperFailure::NotStarted:
        return failure.text();
    case HelperFailure::TimedOut:
        return Message("PluginTimedOut").arg(QString::number(double(deadline.count()) / 1000));
    case HelperFailure::Crashed:
        return Message("PluginCrashed");
    default:
        return Message("PluginNonsense");
    }
}

// The text, or why it is not one a plug-in may give.
std::optional<QString> checkedText(const PluginText& text, bool isFilter, Message& problem)
{
    const Message what(isFilter ? "PluginFileFilter" : "PluginDisplayName");
    if (text.state == PluginText::Unterminated) {
        problem = Message("PluginNotText").arg(what);
        return std::nullopt;
    }
    const QString decoded = CodePage::Default().decode(text.bytes);
    for (const QChar c : decoded)
        if (c.unicode() < 0x20) {
            problem = Message("PluginControlCharacters").arg(what);
            return std::nullopt;
        }
    // The filters of all plug-ins are joined by "|", so one more would shift every pair after it.
    if (isFilter && text.state == PluginText::Given && decoded.count(u'|') != 1) {
        problem = Message("PluginFilterNotPair").arg(decoded);
        return std::nullopt;
    }
    return decoded;
}

// The plug-in, or why it is skipped.
std::optional<PluginInfo> probe(const QString& path, std::chrono::milliseconds deadline, Message& problem)
{
    PluginProbe answer;
    try {
        HelperProcess helper(host(), {QStringLiteral("probe"), path});
        helper.CloseInput();
        answer = DecodeProbe(helper.ReadToExit(4 * kMaxPluginText + 64, DeadlineIn(deadline)));
    } catch (const HelperFailure& failure) {
        problem = failureText(failure, deadline);
        return std::nullopt;
    }
    if (!answer.Loaded) {
        problem = Message("PluginNotLibrary").arg(QString::fromLocal8Bit(answer.LoadError));
        return std::nullopt;
    }
    if (!answer.HasMode) {
        problem = Message("PluginNoMode");
        return std::nullopt;
    }
    const std::optional<QString> name = checkedText(answer.DisplayName, false, problem);
    const std::optional<QString> filter = name ? checkedText(answer.FilterMask, true, problem) : std::nullopt;
    if (!filter)
        return std::nullopt;
    PluginInfo info;
    info.LibraryPath = path;
    info.Mode = answer.Mode;
    info.DisplayName = *name;
    info.FileFilter = *filter;
    info.CanExport = answer.CanExport;
    return info;
}

} // namespace

TzkPluginsPack::TzkPluginsPack(const QString& programFolder, std::chrono::milliseconds probeDeadline)
    : m_folder(QDir(programFolder).filePath(QStringLiteral("Plugins")))
{
    QDir folder(m_folder);
    if (!folder.exists() && !QDir().mkpath(m_folder))
        return;
    // Name order, so the export filters come in the same order on every machine.
    const QStringList names = folder.entryList({QStringLiteral("*.kdp")}, QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QString& name : names) {
        const QString path = folder.filePath(name);
        Message problem;
        // A pipe or device named like a plug-in would block whoever opens it.
        if (!QFileInfo(path).isFile())
            problem = Message("PluginNotRegular");
        else if (std::optional<PluginInfo> info = probe(path, probeDeadline, problem))
            Plugins.push_back(std::move(*info));
        if (!problem.isEmpty())
            Skipped.push_back({path, problem});
    }
    Count = static_cast<std::int32_t>(Plugins.size());
}

bool TzkPluginsPack::Supports(int i, int bit) const
{
    if (i < 0 || i >= Count || bit < 1 || bit > 128)
        return false;
    const std::int32_t mode = Plugins[static_cast<size_t>(i)].Mode;
    if (mode < 0)
        return false;
    return mode >= 256 || (mode & bit) != 0;
}

PluginInfo TzkPluginsPack::GetPlugin(int bit, int n) const
{
    for (int i = 0; i < Count; ++i)
        if (Supports(i, bit) && --n == 0)
            return Plugins[static_cast<size_t>(i)];
    return PluginInfo();
}

QString TzkPluginsPack::ExportFilter() const
{
    QStringList filters;
    for (int i = 0; i < Count; ++i)
        if (Supports(i, kExportPlugin))
            filters.append(Plugins[static_cast<size_t>(i)].FileFilter);
    return filters.join(QLatin1Char('|'));
}

bool TzkPluginsPack::Export(int n, const QString& fileName, const QByteArray& catalogueText, const StopSignal* stop) const
{
    const PluginInfo plugin = GetPlugin(kExportPlugin, n);
    if (plugin.LibraryPath.isEmpty() || !plugin.CanExport)
        return false;
    try {
        HelperProcess helper(host(), {QStringLiteral("export"), plugin.LibraryPath, fileName});
        const Deadline deadline = DeadlineIn(kExportDeadline);
        helper.Write(catalogueText, deadline, stop);
        helper.CloseInput();
        helper.ReadToExit(0, deadline, stop);
    } catch (const HelperFailure& failure) {
        if (failure.reason() == HelperFailure::Stopped)
            throw;
        throw ReelkeepError(Message("ExportPluginFailed").arg(plugin.LibraryPath).arg(failureText(failure, kExportDeadline)));
    }
    return true;
}

ExportOutcome TzkPluginsPack::ExportToFile(int n, const QString& out, const QByteArray& catalogueText, const StopSignal* stop) const
{
    AtomicFile file(out);
    try {
        if (!Export(n, file.temporaryName(), catalogueText, stop))
            return ExportOutcome::CannotCall;
    } catch (const HelperFailure& failure) {
        if (failure.reason() != HelperFailure::Stopped)
            throw;
        // The helper was ended; its half-written temporary goes with the file object.
        return ExportOutcome::Stopped;
    }
    return file.commitWrittenByName() ? ExportOutcome::Written : ExportOutcome::WroteNothing;
}

} // namespace reelkeep
