#include "PreviewLayout.h"

#include <algorithm>
#include <cmath>

namespace reelkeep {
namespace {

// The overview shows the pages at most this many across, so that no more than a
// screenful of small pages is ever painted at once.
constexpr int kMostOverviewColumns = 4;
constexpr double kLeastScale = 0.05, kMostScale = 8;

int columnsFor(int count, PreviewMode mode)
{
    switch (mode) {
    case PreviewMode::SinglePage:
        return 1;
    case PreviewMode::FacingPages:
        return 2;
    case PreviewMode::AllPages:
        return std::clamp(static_cast<int>(std::ceil(std::sqrt(static_cast<double>(count)))), 1, kMostOverviewColumns);
    }
    return 1;
}

} // namespace

PreviewLayout::PreviewLayout(QSizeF page, int count, PreviewMode mode, double scale, int viewportWidth)
    : m_page(page), m_count(std::max(count, 0)), m_columns(columnsFor(count, mode)), m_scale(scale), m_viewportWidth(viewportWidth)
{
}

double PreviewLayout::Bounded(double scale)
{
    return std::clamp(scale, kLeastScale, kMostScale);
}

double PreviewLayout::FittingScale(QSizeF page, int count, PreviewMode mode, PreviewZoom zoom, QSize viewport, double current)
{
    if (zoom == PreviewZoom::Custom || page.isEmpty())
        return Bounded(current);
    const int columns = columnsFor(count, mode);
    const double toWidth = (viewport.width() - (columns + 1) * kGap) / (columns * page.width());
    if (zoom == PreviewZoom::FitToWidth)
        return Bounded(toWidth);
    const double toHeight = (viewport.height() - 2 * kGap) / page.height();
    return Bounded(std::min(toWidth, toHeight));
}

double PreviewLayout::rowHeight() const
{
    return m_page.height() * m_scale + kGap;
}

double PreviewLayout::rowWidth() const
{
    return m_columns * m_page.width() * m_scale + (m_columns - 1) * kGap;
}

QRectF PreviewLayout::PageRect(int index) const
{
    const int row = index / m_columns, column = index % m_columns;
    // Narrower than the viewport, the rows stand in its middle.
    const double left = std::max(kGap, (m_viewportWidth - rowWidth()) / 2);
    return {left + column * (m_page.width() * m_scale + kGap), kGap + row * rowHeight(), m_page.width() * m_scale,
            m_page.height() * m_scale};
}

QSize PreviewLayout::ContentSize() const
{
    const int rows = (m_count + m_columns - 1) / m_columns;
    return {static_cast<int>(std::ceil(rowWidth() + 2 * kGap)), static_cast<int>(std::ceil(rows * rowHeight() + kGap))};
}

int PreviewLayout::RowAt(double y) const
{
    const int rows = (m_count + m_columns - 1) / m_columns;
    if (rows == 0)
        return 0;
    return std::clamp(static_cast<int>(std::floor((y - kGap / 2) / rowHeight())), 0, rows - 1);
}

void PreviewLayout::PagesBetween(double top, double bottom, int& first, int& last) const
{
    first = 0;
    last = -1;
    if (m_count == 0 || bottom <= top)
        return;
    first = FirstOfRow(RowAt(top));
    last = std::min(m_count, FirstOfRow(RowAt(bottom) + 1)) - 1;
}

} // namespace reelkeep
