#include "TfmPrintPreview.h"

#include "PreviewPages.h"
#include "ShellState.h"
#include "WindowWork.h"

#include <QAction>
#include <QActionGroup>
#include <QFile>
#include <QLabel>
#include <QPrinter>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>

namespace reelkeep {
namespace {

// The tool bar pictures Qt ships for its own print preview; without them the buttons show their texts.
QIcon previewIcon(const char* name)
{
    const QString file = QStringLiteral(":/qt-project.org/dialogs/qprintpreviewdialog/images/%1-24.png").arg(QLatin1String(name));
    return QFile::exists(file) ? QIcon(file) : QIcon();
}

} // namespace

TfmPrintPreview::TfmPrintPreview(QPrinter& printer, const ShellState& shell, QWidget* parent)
    : QDialog(parent),
      m_printer(printer),
      m_shell(shell),
      m_controls(new QWidget),
      m_work(new WindowWork(m_controls, shell.text("Other", "Cancel"), this)),
      m_bar(new QToolBar),
      m_commandRow(new QHBoxLayout),
      m_view(new PreviewPages),
      m_notice(new QLabel),
      m_pageLabel(new QLabel)
{
    setObjectName(QStringLiteral("fmPrintPreview"));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    m_texts.bind(this, "Printing", "Preview", TextRegistry::Role::WindowTitle);
    m_view->setObjectName(QStringLiteral("pvPages"));
    m_notice->setObjectName(QStringLiteral("lbNotice"));
    m_notice->setWordWrap(true);
    m_notice->setMargin(6);
    m_notice->setStyleSheet(QStringLiteral("background: #fff3c4; color: black;"));
    m_notice->hide();
    m_commandRow->setContentsMargins(0, 0, 0, 0);

    m_print = addAction("acPrint", "Print", previewIcon("printer"));
    m_print->setShortcut(QKeySequence::Print);
    connect(m_print, &QAction::triggered, this, &QDialog::accept);
    m_bar->addSeparator();
    const auto go = [this](int page) { m_view->setCurrentPage(page); };
    m_firstPage = addAction("acFirstPage", "FirstPage", previewIcon("go-first"));
    connect(m_firstPage, &QAction::triggered, this, [go] { go(1); });
    m_previousPage = addAction("acPreviousPage", "PreviousPage", previewIcon("go-previous"));
    connect(m_previousPage, &QAction::triggered, this, [this, go] { go(m_view->currentPage() - 1); });
    m_bar->addWidget(m_pageLabel);
    m_nextPage = addAction("acNextPage", "NextPage", previewIcon("go-next"));
    connect(m_nextPage, &QAction::triggered, this, [this, go] { go(m_view->currentPage() + 1); });
    m_lastPage = addAction("acLastPage", "LastPage", previewIcon("go-last"));
    connect(m_lastPage, &QAction::triggered, this, [this, go] { go(m_view->pageCount()); });
    // The page keys move between pages, as in a document viewer.
    m_firstPage->setShortcut(QKeySequence(Qt::Key_Home));
    m_previousPage->setShortcut(QKeySequence(Qt::Key_PageUp));
    m_nextPage->setShortcut(QKeySequence(Qt::Key_PageDown));
    m_lastPage->setShortcut(QKeySequence(Qt::Key_End));
    m_bar->addSeparator();
    connect(addAction("acZoomOut", "ZoomOut", previewIcon("zoom-out")), &QAction::triggered, m_view,
            [this] { m_view->zoomOut(); });
    connect(addAction("acZoomIn", "ZoomIn", previewIcon("zoom-in")), &QAction::triggered, m_view, [this] { m_view->zoomIn(); });
    connect(addAction("acFitWidth", "FitWidth", previewIcon("zoom-fit-width")), &QAction::triggered, m_view,
            [this] { m_view->setZoomMode(PreviewZoom::FitToWidth); });
    connect(addAction("acFitPage", "FitPage", previewIcon("zoom-fit-page")), &QAction::triggered, m_view,
            [this] { m_view->setZoomMode(PreviewZoom::FitInView); });
    m_bar->addSeparator();
    auto* orientation = new QActionGroup(this);
    m_portrait = orientation->addAction(addAction("acPortrait", "Portrait", previewIcon("layout-portrait")));
    m_landscape = orientation->addAction(addAction("acLandscape", "Landscape", previewIcon("layout-landscape")));
    connect(m_portrait, &QAction::triggered, this, [this] { turnPage(QPageLayout::Portrait); });
    connect(m_landscape, &QAction::triggered, this, [this] { turnPage(QPageLayout::Landscape); });
    m_bar->addSeparator();
    auto* mode = new QActionGroup(this);
    const auto viewMode = [this, mode](const char* name, const char* key, const char* icon, PreviewMode shown) {
        QAction* action = mode->addAction(addAction(name, key, previewIcon(icon)));
        connect(action, &QAction::triggered, m_view, [this, shown] { m_view->setMode(shown); });
    };
    viewMode("acSinglePage", "SinglePage", "view-pages-single", PreviewMode::SinglePage);
    viewMode("acFacingPages", "FacingPages", "view-pages-facing", PreviewMode::FacingPages);
    viewMode("acAllPages", "AllPages", "view-pages-overview", PreviewMode::AllPages);
    for (QAction* action : mode->actions() + orientation->actions())
        action->setCheckable(true);
    mode->actions().front()->setChecked(true);

    auto* controls = new QVBoxLayout(m_controls);
    controls->setContentsMargins(0, 0, 0, 0);
    controls->setSpacing(0);
    controls->addWidget(m_bar);
    controls->addLayout(m_commandRow);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_controls);
    layout->addWidget(m_notice);
    layout->addWidget(m_view, 1);
    m_texts.apply(shell.options().LanguageTable);

    connect(m_view, &PreviewPages::currentPageChanged, this, &TfmPrintPreview::updatePageLabel);
    // Most of the main window, so that a page can be read.
    resize(parent ? parent->window()->size() * 0.92 : QSize(900, 700));
}

TfmPrintPreview::~TfmPrintPreview()
{
    // A drawing still running stops before the drawing it calls goes.
    delete m_work;
}

QAction* TfmPrintPreview::addAction(const char* name, const char* key, const QIcon& icon)
{
    QAction* action = m_bar->addAction(icon, QString());
    action->setObjectName(QString::fromLatin1(name));
    m_texts.bind(action, "Printing", key);
    return action;
}

void TfmPrintPreview::setDrawing(Drawing drawing)
{
    m_drawing = std::move(drawing);
}

void TfmPrintPreview::addCommandWidget(const char* section, const char* key, QWidget* widget)
{
    m_commandRow->setContentsMargins(6, 2, 6, 4);
    auto* label = new QLabel(m_shell.text(section, key));
    label->setBuddy(widget);
    m_commandRow->addWidget(label);
    m_commandRow->addWidget(widget);
    m_commandRow->addStretch(1);
}

void TfmPrintPreview::setNotice(const QString& text)
{
    m_notice->setText(text);
    m_notice->setVisible(!text.isEmpty());
}

QString TfmPrintPreview::notice() const
{
    return m_notice->text();
}

void TfmPrintPreview::setPrintEnabled(bool enabled)
{
    m_print->setEnabled(enabled);
}

void TfmPrintPreview::refresh()
{
    // A drawing under way is for what was before: it stops, and its end starts the new one.
    ++m_drawings;
    m_recorded.reset();
    m_work->cancel();
    if (!m_work->isRunning())
        showPages();
}

void TfmPrintPreview::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // The pages are drawn when first wanted: on the first show, unless a refresh came before.
    if (!m_started)
        showPages();
}

void TfmPrintPreview::turnPage(QPageLayout::Orientation orientation)
{
    m_printer.setPageOrientation(orientation);
    if (!m_work->isRunning())
        showPages();
}

void TfmPrintPreview::done(int result)
{
    m_closing = true;
    m_work->finishNow();
    QDialog::done(result);
}

std::shared_ptr<const RecordedPages> TfmPrintPreview::recordedPages() const
{
    return m_recorded && m_recorded->stopped.isEmpty() ? m_recorded : nullptr;
}

bool TfmPrintPreview::isDrawing() const
{
    return m_work->isRunning();
}

void TfmPrintPreview::setProgressAfter(int ms)
{
    m_work->setProgressAfter(ms);
}

int TfmPrintPreview::pageCount() const
{
    return m_drewPages ? m_view->pageCount() : 0;
}

void TfmPrintPreview::showPages()
{
    m_started = true;
    const PrinterMeasurements page = QPrinterTarget(m_printer).Measurements();
    if (m_recorded && m_recorded->measurements == page)
        showRecording();
    else
        startDrawing(page);
    updatePageLabel();
    updateOrientation();
}

void TfmPrintPreview::startDrawing(const PrinterMeasurements& measurements)
{
    setNotice(QString());
    setPrintEnabled(true);
    emit aboutToDraw();
    // Pages of an earlier drawing are never left standing for this one.
    m_recorded.reset();
    m_drewPages = false;
    m_view->setPages(nullptr);
    m_view->setVisible(false);
    if (!m_drawing) {
        emit drawingEnded();
        return;
    }
    auto recorded = std::make_shared<RecordedPages>();
    recorded->measurements = measurements;
    const auto job = [recorded, drawing = m_drawing, cancelled = m_shell.text("Printing", "Cancelled")](QPromise<void>& promise) {
        RecordPages(drawing, *recorded, promise, cancelled);
    };
    const auto ended = [this, recorded, drawing = m_drawings] {
        emit drawingEnded();
        if (drawing != m_drawings) {
            if (!m_closing)
                showPages();
            return;
        }
        // A Cancel that came before the first page was drawn (or after the last) still
        // leaves pages that are not the whole printout.
        if (m_work->wasCancelled() && recorded->stopped.isEmpty())
            recorded->stopped = Message::Verbatim(m_shell.text("Printing", "Cancelled"));
        m_recorded = recorded;
        if (m_closing)
            return;
        // What was drawn stays to be seen; the reason it stopped is said above it.
        if (!recorded->stopped.isEmpty()) {
            setNotice(m_shell.render(recorded->stopped));
            setPrintEnabled(false);
        }
        showPages();
    };
    m_work->start(m_shell.text("Printing", "Status"), job, ended,
                  [pattern = m_shell.text("Printing", "PagesDrawn")](int done, int) { return pattern.arg(done); });
}

void TfmPrintPreview::showRecording()
{
    m_drewPages = !m_recorded->pages.empty();
    m_view->setPages(m_recorded);
    m_view->setVisible(m_drewPages);
    // The page keys and the wheel work at once, unless the person is in another control.
    if (m_drewPages && !focusWidget())
        m_view->setFocus();
}

void TfmPrintPreview::updatePageLabel()
{
    const int count = pageCount();
    const int page = std::min(m_view->currentPage(), count);
    m_pageLabel->setText(m_shell.text("Printing", "PageOf").arg(page).arg(count));
    m_firstPage->setEnabled(page > 1);
    m_previousPage->setEnabled(page > 1);
    m_nextPage->setEnabled(page < count);
    m_lastPage->setEnabled(page < count);
}

void TfmPrintPreview::updateOrientation()
{
    const bool landscape = m_printer.pageLayout().orientation() == QPageLayout::Landscape;
    m_landscape->setChecked(landscape);
    m_portrait->setChecked(!landscape);
}

} // namespace reelkeep
