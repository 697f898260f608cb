// The last page of the options dialog: the status-line template and the language,
// chosen among the language files of the program folder.
#pragma once

#include "OptionsPage.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace reelkeep {

class Prompts;
class ShellState;
class TextRegistry;

class OptionsAdditionalPage : public OptionsPage {
    Q_OBJECT
public:
    OptionsAdditionalPage(ShellState& shell, Prompts& prompts, TextRegistry& texts, QWidget* parent = nullptr);

    // Also tells the person when the program folder holds no language file.
    void load(const zkOptions& options) override;
    QString problem() const override;
    void apply(zkOptions& options) const override;
    QString language() const;

private:
    void FillLanguageList(const QString& configured);

    ShellState& m_shell;
    Prompts& m_prompts;
    QLineEdit* m_edCustomString;
    QComboBox* m_cbLanguage;
    QCheckBox* m_cbFrameForNewRecords;
};

} // namespace reelkeep
