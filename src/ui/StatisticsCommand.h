// The statistics window of a sheet: its figures and charts, of the whole sheet and of
// the selected records, opened over the list window.
#pragma once

#include <QString>
#include <vector>

class QWidget;

namespace reelkeep {

class Prompts;
class ShellState;
class TZKList;
class TzkRow;

void ShowStatistics(const TZKList& list, const std::vector<TzkRow*>& selected, const QString& caption, ShellState& shell,
                    Prompts& prompts, QWidget* owner);

} // namespace reelkeep
