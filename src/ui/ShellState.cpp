#include "ShellState.h"

#include "ReelkeepError.h"

#include <QDir>
#include <QFileInfo>

namespace reelkeep {

ShellState::ShellState(QString folder)
    : m_folder(std::move(folder)),
      m_log(m_folder, QStringLiteral("reelkeep.log")),
      m_options(std::make_unique<zkOptions>())
{
    m_log.Enabled = true;
}

QString ShellState::settingsPath() const
{
    return QDir(m_folder).filePath(QStringLiteral("setup.ini"));
}

QString ShellState::reloadSettings()
{
    // Updated in place: windows and dialogs hold on to this object across options saves.
    zkOptions options;
    options.LoadSettings(settingsPath());
    *m_options = std::move(options);
    // Loading never stops; what it had to put up with (bad values, a folder that
    // cannot be written) is told to the user.
    return renderLines(m_options->LoadWarnings());
}

QString ShellState::SaveSettings() const
{
    try {
        m_options->SaveSettings(settingsPath());
    } catch (const ReelkeepError& error) {
        return render(error.text());
    }
    return {};
}

QString ShellState::SaveSettingsOnce()
{
    QString failure = SaveSettings();
    if (failure.isEmpty() || m_saveFailureTold)
        return {};
    m_saveFailureTold = true;
    return failure;
}

QString ShellState::text(const char* section, const char* key) const
{
    return WithoutMnemonic(m_options->LanguageTable.GetValue(QString::fromLatin1(section), QString::fromLatin1(key)));
}

QString ShellState::render(const Message& message) const
{
    return message.render([this](const QString& key) {
        for (const LanguageEntry& entry : m_options->LanguageTable.Entries)
            if (entry.Key == key && entry.Section == QLatin1String("Messages"))
                return entry.Text;
        return QString();
    });
}

QString ShellState::renderLines(const std::vector<Message>& messages) const
{
    QStringList lines;
    for (const Message& message : messages)
        lines.append(render(message));
    return lines.join(QLatin1Char('\n'));
}

QString ShellState::resolve(const QString& path) const
{
    return QFileInfo(path).isAbsolute() ? path : QDir(m_folder).filePath(path);
}

QString ShellState::storedPath(const QString& path) const
{
    // Only a leading folder counts: the folder's name elsewhere in the path is not it.
    const QString prefix = QDir::cleanPath(m_folder) + QLatin1Char('/');
    return path.startsWith(prefix) ? path.mid(prefix.size()) : path;
}

} // namespace reelkeep
