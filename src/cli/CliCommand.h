// The command table of reelkeep-cli: each command parses its own arguments and
// returns the process exit status.
#pragma once

#include <QDir>
#include <QString>
#include <QStringList>
#include <optional>
#include <span>

namespace reelkeep::cli {

enum ExitStatus : int { ExitDone = 0, ExitUsage = 1, ExitFailed = 2, ExitUnknownSignature = 3 };

// Thrown by a command whose arguments are wrong; the message goes before the usage text.
struct UsageError {
    QString message;
};

// The program folder (settings, language files, plug-ins, covers) of one run. It
// is found, created and seeded the first time a command asks for it, so commands
// that need no settings (the help, mask, cover files) leave every folder untouched.
class CliContext {
public:
    explicit CliContext(QString named) : m_named(std::move(named)) {}
    const QDir& home() const;
    // --ignore-lock: write catalogues another process holds open.
    bool ignoreLock = false;

private:
    QString m_named; // --home, empty when not given
    mutable std::optional<QDir> m_home;
};

struct CliCommand {
    const char* name;
    const char* usage; // arguments after the command name
    const char* summary;
    int (*run)(CliContext& context, const QStringList& args);
};

// Every command the tool knows, in the order the help lists them.
std::span<const CliCommand> Commands();

// Output helpers: UTF-8 text or raw bytes to stdout / stderr.
void WriteOut(const QByteArray& bytes);
void WriteOut(const QString& text);
void WriteErr(const QString& text);

} // namespace reelkeep::cli
