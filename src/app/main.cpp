// reelkeep: the desktop program. Opens the catalogue named by the first argument, if it exists.
#include "ProgramFolder.h"
#include "ProgramIdentity.h"
#include "TfmMain.h"

#include <QApplication>
#include <QIcon>
#include <QFileInfo>
#include <cstdio>

int main(int argc, char* argv[])
{
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
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1 && !arguments[1].isEmpty() && QFileInfo(arguments[1]).isFile())
        window.OpenFile(arguments[1]);
    return QApplication::exec();
}
