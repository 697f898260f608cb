#include "PreviewPages.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>

namespace reelkeep {
namespace {

constexpr double kZoomStep = 1.25;
constexpr double kPointsPerInch = 72;
constexpr int kScrollStep = 24;
constexpr int kShadow = 3;

} // namespace

PreviewPages::PreviewPages(QWidget* parent) : QAbstractScrollArea(parent)
{
    // Always there, so that fitting the pages to the width never shows and hides it by turns.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    verticalScrollBar()->setSingleStep(kScrollStep);
    horizontalScrollBar()->setSingleStep(kScrollStep);
    setFocusPolicy(Qt::StrongFocus);
}

void PreviewPages::setPages(std::shared_ptr<const RecordedPages> pages)
{
    m_pages = std::move(pages);
    m_current = pageCount() > 0 ? 1 : 0;
    relayout();
    emit currentPageChanged(m_current);
}

int PreviewPages::pageCount() const
{
    return m_pages ? static_cast<int>(m_pages->pages.size()) : 0;
}

QSizeF PreviewPages::pageSize() const
{
    if (!m_pages || m_pages->measurements.DpiX <= 0 || m_pages->measurements.DpiY <= 0)
        return {};
    const PrinterMeasurements& page = m_pages->measurements;
    return {page.PhysicalWidth * kPointsPerInch / page.DpiX, page.PhysicalHeight * kPointsPerInch / page.DpiY};
}

PreviewLayout PreviewPages::layout() const
{
    return {pageSize(), pageCount(), m_mode, m_scale, viewport()->width()};
}

void PreviewPages::setCurrentPage(int page)
{
    if (pageCount() == 0)
        return;
    setCurrent(std::clamp(page, 1, pageCount()));
    scrollToCurrent();
}

void PreviewPages::setMode(PreviewMode mode)
{
    m_mode = mode;
    relayout();
}

void PreviewPages::setZoomMode(PreviewZoom zoom)
{
    m_zoom = zoom;
    relayout();
}

void PreviewPages::zoomIn()
{
    zoomBy(kZoomStep);
}

void PreviewPages::zoomOut()
{
    zoomBy(1 / kZoomStep);
}

void PreviewPages::zoomBy(double factor)
{
    m_zoom = PreviewZoom::Custom;
    m_scale = PreviewLayout::Bounded(m_scale * factor);
    relayout();
}

void PreviewPages::relayout()
{
    const QSizeF page = pageSize();
    m_scale = PreviewLayout::FittingScale(page, pageCount(), m_mode, m_zoom, viewport()->size(), m_scale);
    const QSize content = layout().ContentSize();
    const QSize shown = viewport()->size();
    // A range cut short moves the view, but the current page stays the one brought back into sight.
    m_scrollingToPage = true;
    horizontalScrollBar()->setRange(0, std::max(0, content.width() - shown.width()));
    horizontalScrollBar()->setPageStep(shown.width());
    verticalScrollBar()->setRange(0, std::max(0, content.height() - shown.height()));
    verticalScrollBar()->setPageStep(shown.height());
    m_scrollingToPage = false;
    scrollToCurrent();
    viewport()->update();
}

void PreviewPages::scrollToCurrent()
{
    if (m_current == 0)
        return;
    m_scrollingToPage = true;
    verticalScrollBar()->setValue(static_cast<int>(layout().PageRect(m_current - 1).top() - PreviewLayout::kGap));
    m_scrollingToPage = false;
}

void PreviewPages::followScroll()
{
    if (m_scrollingToPage || pageCount() == 0)
        return;
    // The row in the middle of the view, or the last one once the view can go no further down.
    const PreviewLayout pages = layout();
    const QScrollBar* bar = verticalScrollBar();
    const int row = bar->maximum() > 0 && bar->value() == bar->maximum() ? pages.RowOf(pageCount() - 1)
                                                                          : pages.RowAt(bar->value() + viewport()->height() / 2.0);
    setCurrent(pages.FirstOfRow(row) + 1);
}

void PreviewPages::setCurrent(int page)
{
    if (page == m_current)
        return;
    m_current = page;
    emit currentPageChanged(page);
}

void PreviewPages::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    relayout();
}

void PreviewPages::scrollContentsBy(int, int)
{
    followScroll();
    viewport()->update();
}

void PreviewPages::wheelEvent(QWheelEvent* event)
{
    // Ctrl and the wheel zoom, as in a document viewer.
    if (event->modifiers() & Qt::ControlModifier) {
        if (event->angleDelta().y() != 0)
            zoomBy(event->angleDelta().y() > 0 ? kZoomStep : 1 / kZoomStep);
        event->accept();
        return;
    }
    QAbstractScrollArea::wheelEvent(event);
}

void PreviewPages::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    painter.fillRect(event->rect(), palette().color(QPalette::Dark));
    if (pageCount() == 0)
        return;
    const PreviewLayout pages = layout();
    const QPointF scrolled(horizontalScrollBar()->value(), verticalScrollBar()->value());
    int first = 0, last = -1;
    pages.PagesBetween(scrolled.y(), scrolled.y() + viewport()->height(), first, last);
    const PrinterMeasurements& device = m_pages->measurements;
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    for (int index = first; index <= last; ++index) {
        const QRectF sheet = pages.PageRect(index).translated(-scrolled);
        if (!sheet.adjusted(0, 0, kShadow, kShadow).intersects(event->rect()))
            continue;
        painter.fillRect(sheet.translated(kShadow, kShadow), palette().color(QPalette::Shadow));
        painter.fillRect(sheet, Qt::white);
        const QPicture& picture = m_pages->pages[static_cast<std::size_t>(index)];
        painter.save();
        painter.setClipRect(sheet);
        // From the page's device pixels, whose origin is the printable area's corner, to the screen;
        // a picture plays scaled by the screen's resolution over its own, which is undone.
        painter.translate(sheet.topLeft());
        painter.scale(pages.Scale() * kPointsPerInch / device.DpiX, pages.Scale() * kPointsPerInch / device.DpiY);
        painter.translate(device.PhysicalOffsetX, device.PhysicalOffsetY);
        painter.scale(static_cast<double>(picture.logicalDpiX()) / viewport()->logicalDpiX(),
                      static_cast<double>(picture.logicalDpiY()) / viewport()->logicalDpiY());
        painter.drawPicture(0, 0, picture);
        painter.restore();
    }
}

} // namespace reelkeep
