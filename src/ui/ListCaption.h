// A list window's caption without its modified and read-only marks, as the windows it
// owns (filter windows, the pick window) name it in their titles.
#pragma once

#include <QString>

class QWidget;

namespace reelkeep {

class ShellState;

QString BareCaption(const QWidget& window, const ShellState& shell);
// "name - caption": the title of a window that the list window owns.
QString OwnedWindowTitle(const QString& name, const QWidget& owner, const ShellState& shell);

} // namespace reelkeep
