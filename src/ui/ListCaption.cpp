#include "ListCaption.h"

#include "ShellState.h"

#include <QWidget>

namespace reelkeep {

QString BareCaption(const QWidget& window, const ShellState& shell)
{
    return window.windowTitle().remove(QStringLiteral("[*]")).remove(QString(QLatin1Char(' ') + shell.text("Safety", "ReadOnlyMark")));
}

QString OwnedWindowTitle(const QString& name, const QWidget& owner, const ShellState& shell)
{
    return name + QStringLiteral(" - ") + BareCaption(owner, shell);
}

} // namespace reelkeep
