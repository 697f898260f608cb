// The print preview: the pages drawn by the printout's own code, with page moves,
// zoom, one page / facing pages / all pages, the page orientation, a notice line and
// room for a control of the command (the cover layout choice). Print closes it so
// that the system's print dialog can follow.
#pragma once

#include "TextRegistry.h"

#include <QDialog>
#include <functional>

class QAction;
class QHBoxLayout;
class QLabel;
class QPrintPreviewWidget;
class QPrinter;
class QToolBar;

namespace reelkeep {

class ShellState;
class TzkPrinter;

class TfmPrintPreview : public QDialog {
    Q_OBJECT
public:
    using Drawing = std::function<void(TzkPrinter&)>;

    TfmPrintPreview(QPrinter& printer, const ShellState& shell, QWidget* parent = nullptr);

    // Draws every page with drawing; an empty drawing shows no page.
    void setDrawing(Drawing drawing);
    const Drawing& drawing() const { return m_drawing; }
    // Puts a control of the command, after its label, in a row under the tool bar.
    void addCommandWidget(const char* section, const char* key, QWidget* widget);
    // A line above the pages; hidden while empty.
    void setNotice(const QString& text);
    QString notice() const;
    void setPrintEnabled(bool enabled);
    // Draws the pages again, after the drawing or the printer's page changed.
    void refresh();

    // The pages of the last drawing; 0 when it drew none.
    int pageCount() const;
    QPrinter& printer() { return m_printer; }
    QPrintPreviewWidget* view() const { return m_view; }

signals:
    // Before the pages are drawn, for the page layout the printer has then.
    void aboutToDraw();

private:
    QAction* addAction(const char* name, const char* key, const QIcon& icon);
    void draw(QPrinter* printer);
    void updatePageLabel();
    void updateOrientation();

    QPrinter& m_printer;
    const ShellState& m_shell;
    TextRegistry m_texts;
    Drawing m_drawing;
    QToolBar* m_bar;
    QHBoxLayout* m_commandRow;
    QPrintPreviewWidget* m_view;
    QLabel* m_notice;
    QLabel* m_pageLabel;
    QAction* m_print = nullptr;
    QAction* m_firstPage = nullptr;
    QAction* m_previousPage = nullptr;
    QAction* m_nextPage = nullptr;
    QAction* m_lastPage = nullptr;
    bool m_drewPages = false;
    QAction* m_portrait = nullptr;
    QAction* m_landscape = nullptr;
};

} // namespace reelkeep
