// The main page of the options dialog: file-name separators, column patterns,
// list printing, the default cover, the window bar, shortcuts and file association.
#pragma once

#include "FileAssociation.h"
#include "OptionsPage.h"

#include <QFutureWatcher>
#include <QStringList>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace reelkeep {

class HotKeyEdit;
class IniFile;
class Prompts;
class ShellState;
class TextRegistry;

class OptionsMainPage : public OptionsPage {
    Q_OBJECT
public:
    // Rows of the shortcut list: the filters of columns 1..20, then the four file commands.
    static constexpr int kShortcutRows = 24;

    OptionsMainPage(ShellState& shell, Prompts& prompts, TextRegistry& texts, QWidget* parent = nullptr);

    void load(const zkOptions& options) override;
    QString problem() const override;
    void apply(zkOptions& options) const override;
    // The list-printing columns and widths live in setup.ini beside the settings object.
    void applyPrintColumns(IniFile& ini) const;
    // One line per key given to more than one command: the key and the commands.
    QStringList sharedShortcuts() const;

private:
    // The pattern of the column chosen in the list, in the edit under it.
    void showSelectedPattern();
    // The key of the command chosen in the list, in the key edit under it.
    void showSelectedShortcut();
    // The default cover file, chosen in a file dialog.
    void chooseCoverFile();
    // The association runs on a worker thread (update-mime-database may take a minute);
    // the button waits meanwhile and the outcome is told when it ends.
    void startAssociation();
    void associationDone();
    QString shortcutText(int row) const;

    ShellState& m_shell;
    Prompts& m_prompts;
    QLineEdit* m_edONBegin;
    QLineEdit* m_edONEnd;
    QLineEdit* m_edPBegin;
    QLineEdit* m_edPEnd;
    QTreeWidget* m_lvShabl;
    QLineEdit* m_edShabl;
    QLineEdit* m_edColNum;
    QLineEdit* m_edColWidth;
    QLineEdit* m_edCoverFileName;
    QCheckBox* m_cbUseMDIPanel;
    QTreeWidget* m_lvShortCut;
    HotKeyEdit* m_hkShortCut;
    QPushButton* m_associate;
    QFutureWatcher<AssociationResult> m_association;
};

} // namespace reelkeep
