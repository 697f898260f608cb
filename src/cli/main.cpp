// reelkeep-cli: the batch and automation front end of Reelkeep.
#include "CliCommand.h"
#include "FileIO.h"
#include "ReelkeepError.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>
#include <new>

namespace reelkeep::cli {

// A failed write (a full disk, a closed pipe) ends the command with status 2.
void WriteOut(const QByteArray& bytes)
{
    const size_t written = std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
    if (written != static_cast<size_t>(bytes.size()) || std::fflush(stdout) != 0) {
        const int error = errno;
        std::clearerr(stdout);
        throw FileError(QStringLiteral("Cannot write to standard output: %1.").arg(ReasonOf(error).english()));
    }
}

void WriteOut(const QString& text)
{
    WriteOut(text.toUtf8());
}

void WriteErr(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stderr);
}

namespace {

QString usageText()
{
    QString text = QStringLiteral("Usage: reelkeep-cli [--home DIR] [--ignore-lock] COMMAND ...\n\n"
                                  "--home DIR  the program folder (settings, language files, plug-ins, covers)\n"
                                  "--ignore-lock  write a catalogue even while another process holds it open\n"
                                  "--help      print this help\n"
                                  "--version   print the version\n\n"
                                  "Commands:\n");
    for (const CliCommand& command : Commands())
        text += QStringLiteral("  %1 %2\n      %3\n")
                    .arg(QString::fromUtf8(command.name), QString::fromUtf8(command.usage), QString::fromUtf8(command.summary));
    text += QStringLiteral("\nExit status: 0 done, 1 bad usage, 2 the command failed (or the catalogue is open in another process), 3 a .kdx file of unknown form.\n");
    return text;
}

int run(QStringList args)
{
    QString named;
    if (args.size() >= 2 && args[0] == QLatin1String("--home")) {
        named = args[1];
        args = args.mid(2);
    }
    CliContext context(named);
    context.ignoreLock = args.removeAll(QStringLiteral("--ignore-lock")) > 0;
    if (!args.isEmpty() && args[0] == QLatin1String("--version")) {
        WriteOut(QStringLiteral("reelkeep-cli " REELKEEP_VERSION "\n"));
        return ExitDone;
    }
    if (args.isEmpty() || args[0] == QLatin1String("--help") || args[0] == QLatin1String("help")) {
        const bool asked = !args.isEmpty();
        (asked ? WriteOut(usageText()) : WriteErr(usageText()));
        return asked ? ExitDone : ExitUsage;
    }
    for (const CliCommand& command : Commands()) {
        if (args[0] != QLatin1String(command.name))
            continue;
        try {
            return command.run(context, args.mid(1));
        } catch (const UsageError& error) {
            WriteErr(error.message + QStringLiteral("\nUsage: reelkeep-cli [--home DIR] %1 %2\n")
                                         .arg(QString::fromUtf8(command.name), QString::fromUtf8(command.usage)));
            return ExitUsage;
        } catch (const ReelkeepError& error) {
            WriteErr(error.message() + QLatin1Char('\n'));
            return ExitFailed;
        } catch (const std::bad_alloc&) {
            WriteErr(QStringLiteral("There is not enough memory for the command %1.\n").arg(QString::fromUtf8(command.name)));
            return ExitFailed;
        } catch (const std::exception& error) {
            WriteErr(QStringLiteral("The command %1 failed: %2\n").arg(QString::fromUtf8(command.name), QString::fromLocal8Bit(error.what())));
            return ExitFailed;
        }
    }
    WriteErr(QStringLiteral("Unknown command: %1\n\n").arg(args[0]) + usageText());
    return ExitUsage;
}

} // namespace
} // namespace reelkeep::cli

// The print commands need fonts and painting, hence a GUI application object; it
// draws offscreen, so a display that is gone or unreachable (a DISPLAY inherited
// over ssh) cannot stop a batch job. The others stay clear of the window system.
static bool printing(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--home") == 0) {
            ++i;
            continue;
        }
        return std::strncmp(argv[i], "print-", 6) == 0;
    }
    return false;
}

int main(int argc, char* argv[])
{
    std::unique_ptr<QCoreApplication> app;
    if (printing(argc, argv)) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    // Failures outside a command (writing the help to a closed output) end in a message too.
    try {
        return reelkeep::cli::run(QCoreApplication::arguments().mid(1));
    } catch (const reelkeep::ReelkeepError& error) {
        reelkeep::cli::WriteErr(error.message() + QLatin1Char('\n'));
    } catch (const std::exception& error) {
        reelkeep::cli::WriteErr(QString::fromLocal8Bit(error.what()) + QLatin1Char('\n'));
    }
    return reelkeep::cli::ExitFailed;
}
