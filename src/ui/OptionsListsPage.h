// The quick-list page of the options dialog: catalogue files and their names in
// the Lists menu; a file inside the program folder is kept relative to it.
#pragma once

#include "OptionsPage.h"

namespace reelkeep {

class EntryListEditor;
class Prompts;
class ShellState;
class TextRegistry;

class OptionsListsPage : public OptionsPage {
    Q_OBJECT
public:
    OptionsListsPage(ShellState& shell, Prompts& prompts, TextRegistry& texts, QWidget* parent = nullptr);

    void load(const zkOptions& options) override;
    void apply(zkOptions& options) const override;
    QPushButton* defaultButton() const override;

private:
    EntryListEditor* m_files;
};

} // namespace reelkeep
