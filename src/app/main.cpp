// reelkeep: the desktop program. Opens the catalogue named by the first argument, if it exists.
#include "ProgramFolder.h"
#include "ProgramIdentity.h"
#include "TfmMain.h"

#include <QApplication>
#include <QIcon>
#include <QTimer>
#include <QFileInfo>
#include <cstdio>
#include <cstring>

static const char kHelp[] =
    "Usage: reelkeep [OPTION] [CATALOGUE]\n"
    "The desktop catalogue of films and video files. Opens CATALOGUE (.kdx, .xkdx or .xls)\n"
    "at start when it names an existing file.\n"
    "\n"
    "  -h, --help     print these options and exit\n"
    "  -v, --version  print the version and exit\n"
    "Qt's own options (-platform NAME, -style NAME, ...) are accepted too.\n"
    "\n"
    "The program folder (settings, language files, covers, plug-ins) is $REELKEEP_HOME when set,\n"
    "else $XDG_CONFIG_HOME/reelkeep (~/.config/reelkeep). reelkeep-cli does batch work without a window.\n";

// The help and the version are answered before anything needs a display.
static bool answeredAtOnce(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kHelp, stdout);
            return true;
        }
        if (std::strcmp(argv[i], "--version") == 0 || std::strcmp(argv[i], "-v") == 0) {
            std::puts("reelkeep " REELKEEP_VERSION);
            return true;
        }
    }
    return false;
}

int main(int argc, char* argv[])
{
    if (answeredAtOnce(argc, argv))
        return std::fflush(stdout) == 0 ? 0 : 1;
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        std::fputs("reelkeep: no display to show the window on; run it under xvfb-run, or use reelkeep-cli for batch work.\n",
                   stderr);
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(reelkeep::ProgramName());
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/desktop/reelkeep.svg")));
    reelkeep::TfmMain window(reelkeep::ProgramFolder::Resolve());
    window.showMaximized();
    // Unsaved work of a run that ended without closing its windows is offered first.
    QTimer::singleShot(0, &window, &reelkeep::TfmMain::OfferRecovery);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1 && !arguments[1].isEmpty() && QFileInfo(arguments[1]).isFile())
        window.OpenFile(arguments[1]);
    return QApplication::exec();
}
