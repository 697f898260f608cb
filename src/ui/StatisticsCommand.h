// The statistics window of a sheet: its figures and charts, of the whole sheet and of
// the selected records, opened over the list window once the window's worker has
// counted them (the window refusing edits meanwhile).
#pragma once

#include <QString>
#include <vector>

class QWidget;

namespace reelkeep {

class Prompts;
class ShellState;
class TZKList;
class TzkRow;
class WindowWork;

void ShowStatistics(const TZKList& list, const std::vector<TzkRow*>& selected, const QString& caption, ShellState& shell,
                    Prompts& prompts, WindowWork& work, QWidget* owner);

} // namespace reelkeep
