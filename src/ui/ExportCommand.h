// The Export command: the export plug-ins' filters in the save dialog, the chosen
// plug-in handed the whole catalogue's text form, every failure told in a box.
#pragma once

#include <QStringList>

namespace reelkeep {

class ListController;
class Prompts;
class ShellState;
class TzkPluginsPack;
class WindowWork;

// One dialog filter entry per export plug-in, in plug-in order: "description (patterns)",
// or "<name> (*)" for a plug-in that gives no filter.
QStringList ExportFilters(const TzkPluginsPack& plugins);

// Runs Export for the list window's catalogue as the window's work (the text form made
// and the plug-in called on a worker thread); the status shows Saving, then Ready.
void ExportCatalogue(ListController& list, const ShellState& shell, Prompts& prompts, WindowWork& work);

} // namespace reelkeep
