// The process-wide objects of the desktop program, owned by the main window and
// handed to the list windows: program folder, settings with the language table,
// plug-ins, log and the two text normalisers.
#pragma once

#include "Message.h"
#include "TLog.h"
#include "TSyntaxAnalizer.h"
#include "TzkPluginsPack.h"
#include "zkOptions.h"

#include <memory>

namespace reelkeep {

class ShellState {
public:
    // folder is the program folder; settings are not read until reloadSettings, and
    // there are no plug-ins until setPlugins.
    explicit ShellState(QString folder);

    // The settings read again from the program folder into the same object (references
    // to it stay good). The settings are always complete; the warnings of loading them
    // are returned, one a line.
    QString reloadSettings();
    // The plug-ins found by a probe of the program folder (which runs off the GUI thread),
    // moved into the pack windows and dialogs already hold.
    void setPlugins(std::unique_ptr<TzkPluginsPack> plugins) { *m_plugins = std::move(*plugins); }
    // Writes setup.ini; the failure's message, or an empty text.
    QString SaveSettings() const;
    // As SaveSettings, but a failure is told only once, so closing many windows reports it once.
    QString SaveSettingsOnce();

    // The current language's text, without mnemonic marks; throws for an unknown pair.
    QString text(const char* section, const char* key) const;
    // A message of the core in the current language.
    QString render(const Message& message) const;
    // Messages of the core in the current language, one a line.
    QString renderLines(const std::vector<Message>& messages) const;
    // A path of the settings (a bare name or a relative folder) made absolute against the program folder.
    QString resolve(const QString& path) const;
    // The form a path is kept in the settings: relative when it lies inside the program folder.
    QString storedPath(const QString& path) const;

    const QString& folder() const { return m_folder; }
    QString settingsPath() const;
    zkOptions& options() { return *m_options; }
    const zkOptions& options() const { return *m_options; }
    const TzkPluginsPack& plugins() const { return *m_plugins; }
    TNamedLog& log() { return m_log; }
    const TSimpleSyntaxAnalizer& quickSearchAnalizer() const { return m_quickSearchAnalizer; }
    const TSimpleSyntaxAnalizer& filterAnalizer() const { return m_filterAnalizer; }

private:
    QString m_folder;
    TSimpleSyntaxAnalizer m_quickSearchAnalizer;
    TSimpleSyntaxAnalizer m_filterAnalizer;
    TNamedLog m_log;
    std::unique_ptr<TzkPluginsPack> m_plugins = std::make_unique<TzkPluginsPack>();
    std::unique_ptr<zkOptions> m_options;
    bool m_saveFailureTold = false;
};

} // namespace reelkeep
