// The print preview: the pages drawn by the printout's own code, with page moves,
// zoom, one page / facing pages / all pages, the page orientation, a notice line and
// room for a control of the command (the cover layout choice). Print closes it so
// that the system's print dialog can follow. The pages are drawn on a worker thread
// while the preview's controls wait, with a count of pages and Cancel once it takes
// a while; the pages recorded then serve the printout too when its page is the same.
#pragma once

#include "PageRecording.h"
#include "TextRegistry.h"

#include <QDialog>
#include <QPageLayout>
#include <functional>
#include <memory>

class QAction;
class QHBoxLayout;
class QLabel;
class QPrinter;
class QToolBar;

namespace reelkeep {

class PreviewPages;
class ShellState;
class WindowWork;

class TfmPrintPreview : public QDialog {
    Q_OBJECT
public:
    using Drawing = PageDrawing;

    TfmPrintPreview(QPrinter& printer, const ShellState& shell, QWidget* parent = nullptr);
    ~TfmPrintPreview() override;

    // Draws every page with drawing; an empty drawing shows no page.
    void setDrawing(Drawing drawing);
    const Drawing& drawing() const { return m_drawing; }
    // The pages of the last drawing that ended well, for the page it was drawn for; null when none did.
    std::shared_ptr<const RecordedPages> recordedPages() const;
    bool isDrawing() const;
    // How long drawing goes before its progress window comes up (tests want it at once).
    void setProgressAfter(int ms);
    // Puts a control of the command, after its label, in a row under the tool bar.
    void addCommandWidget(const char* section, const char* key, QWidget* widget);
    // A line above the pages; hidden while empty.
    void setNotice(const QString& text);
    QString notice() const;
    void setPrintEnabled(bool enabled);
    // Draws the pages again, after the drawing or the printer's page changed.
    void refresh();
    // Closing stops the drawing first.
    void done(int result) override;

    // The pages of the last drawing; 0 when it drew none.
    int pageCount() const;
    QPrinter& printer() { return m_printer; }
    PreviewPages* view() const { return m_view; }

signals:
    // Before the pages are drawn, for the page layout the printer has then.
    void aboutToDraw();
    // The drawing ended (or stopped) and its pages are shown.
    void drawingEnded();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QAction* addAction(const char* name, const char* key, const QIcon& icon);
    // Shows the recorded pages when they fit the printer's page, else starts drawing them.
    void showPages();
    void startDrawing(const PrinterMeasurements& measurements);
    void showRecording();
    // Turns the printer's page and shows the pages drawn for it.
    void turnPage(QPageLayout::Orientation orientation);
    void updatePageLabel();
    void updateOrientation();

    QPrinter& m_printer;
    const ShellState& m_shell;
    TextRegistry m_texts;
    Drawing m_drawing;
    QWidget* m_controls;
    WindowWork* m_work;
    std::shared_ptr<RecordedPages> m_recorded;
    QToolBar* m_bar;
    QHBoxLayout* m_commandRow;
    PreviewPages* m_view;
    QLabel* m_notice;
    QLabel* m_pageLabel;
    QAction* m_print = nullptr;
    QAction* m_firstPage = nullptr;
    QAction* m_previousPage = nullptr;
    QAction* m_nextPage = nullptr;
    QAction* m_lastPage = nullptr;
    bool m_drewPages = false;
    bool m_closing = false;
    // Pages were asked for once: a first show needs not ask again.
    bool m_started = false;
    // Refreshes so far: a drawing started before the last one is out of date.
    int m_drawings = 0;
    QAction* m_portrait = nullptr;
    QAction* m_landscape = nullptr;
};

} // namespace reelkeep
