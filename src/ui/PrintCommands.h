// The print-cover and print-list commands of a list window: checks that fail before
// any page is drawn, the preview, the system's print dialog and the printout, all
// drawing through the same code. The printout runs on the window's worker (the
// window refusing edits meanwhile) and plays the pages the preview drew when the
// chosen page is the same. Errors are shown in a box; the window's status says
// "printing" while pages are drawn.
#pragma once

#include "TfmPrintPreview.h"

#include <QString>
#include <memory>

class QWidget;

namespace reelkeep {

class ListController;
class PrintDialogs;
class WindowWork;
class Prompts;
class ShellState;
class TfmList;

class PrintCommands {
public:
    PrintCommands(ShellState& shell, Prompts& prompts, QWidget* owner);
    ~PrintCommands();

    // The preview and print dialog used from now on (the system's when null).
    void setDialogs(PrintDialogs* dialogs);

    // The cover of the first selected record in grid order, a page per disc; nothing without a selection.
    void printCover(TfmList& list);
    // The rows the grid holds for the current sheet.
    void printList(TfmList& list);

private:
    // The preview, the system's print dialog, then the printout by the preview's drawing;
    // a PDF file is offered under the catalogue's name. job holds what the drawing and the
    // printer refer to, kept until the printout has ended.
    void previewAndPrint(const std::shared_ptr<void>& job, TfmPrintPreview& preview, TfmList& list);
    void print(const std::shared_ptr<void>& job, TfmPrintPreview& preview, ListController& controller, WindowWork& work);
    // Where a PDF file is offered: the folder last chosen, at first the documents folder (or home without one).
    QString pdfFolder() const;
    void showError(const QString& text);

    ShellState& m_shell;
    Prompts& m_prompts;
    QWidget* m_owner;
    std::unique_ptr<PrintDialogs> m_systemDialogs;
    PrintDialogs* m_dialogs;
    QString m_pdfFolder;
};

} // namespace reelkeep
