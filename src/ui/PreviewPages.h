// The print preview's pages: the recorded pictures of a printout shown one under the
// other, two side by side or as an overview, zoomed to fit or by steps. Only the pages
// in sight are played, when they are painted, so a printout of a thousand pages shows
// at once.
#pragma once

#include "PageRecording.h"
#include "PreviewLayout.h"

#include <QAbstractScrollArea>
#include <memory>

namespace reelkeep {

class PreviewPages : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit PreviewPages(QWidget* parent = nullptr);

    // The pages to show (null: none), from the first.
    void setPages(std::shared_ptr<const RecordedPages> pages);
    int pageCount() const;
    // The page in sight, from 1; 0 without pages.
    int currentPage() const { return m_current; }
    // Brings the page (clamped to those there are) to the top of the view.
    void setCurrentPage(int page);

    PreviewMode mode() const { return m_mode; }
    void setMode(PreviewMode mode);
    PreviewZoom zoomMode() const { return m_zoom; }
    void setZoomMode(PreviewZoom zoom);
    // Screen pixels per point of the page.
    double scale() const { return m_scale; }
    void zoomIn();
    void zoomOut();

signals:
    void currentPageChanged(int page);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    PreviewLayout layout() const;
    QSizeF pageSize() const;
    // Fits the scale to the view again and sets the scroll bars, the current page kept in sight.
    void relayout();
    void zoomBy(double factor);
    void scrollToCurrent();
    void followScroll();
    void setCurrent(int page);

    std::shared_ptr<const RecordedPages> m_pages;
    PreviewMode m_mode = PreviewMode::SinglePage;
    PreviewZoom m_zoom = PreviewZoom::FitInView;
    double m_scale = 1;
    int m_current = 0;
    // The view scrolls to a page asked for: that page stays current.
    bool m_scrollingToPage = false;
};

} // namespace reelkeep
