// Where the print preview puts its pages: from the page's size, the number of pages,
// the way they are shown and the viewport, to a scale and a rectangle per page. Only
// the pages in sight are ever asked for, so a preview of a thousand pages lays out
// and paints no more than the few on screen.
#pragma once

#include <QRectF>
#include <QSize>
#include <QSizeF>

namespace reelkeep {

enum class PreviewMode { SinglePage, FacingPages, AllPages };
enum class PreviewZoom { FitInView, FitToWidth, Custom };

class PreviewLayout {
public:
    // Room around and between pages, in screen pixels.
    static constexpr double kGap = 12;

    // page: a page's size in points; scale: screen pixels per point.
    PreviewLayout(QSizeF page, int count, PreviewMode mode, double scale, int viewportWidth);

    // The scale at which zoom shows the pages in a viewport of that size (Custom keeps current).
    static double FittingScale(QSizeF page, int count, PreviewMode mode, PreviewZoom zoom, QSize viewport, double current);
    // The scale clamped to what can still be read and what can still be painted.
    static double Bounded(double scale);

    int Columns() const { return m_columns; }
    double Scale() const { return m_scale; }
    // The page with index (from 0) in content coordinates.
    QRectF PageRect(int index) const;
    QSize ContentSize() const;
    // The row of pages at content height y (clamped to the rows there are).
    int RowAt(double y) const;
    int RowOf(int index) const { return index / m_columns; }
    int FirstOfRow(int row) const { return row * m_columns; }
    // The pages whose rows cross [top, bottom); first > last when there are none.
    void PagesBetween(double top, double bottom, int& first, int& last) const;

private:
    double rowHeight() const;
    double rowWidth() const;

    QSizeF m_page;
    int m_count;
    int m_columns;
    double m_scale;
    int m_viewportWidth;
};

} // namespace reelkeep
