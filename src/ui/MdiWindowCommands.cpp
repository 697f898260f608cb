#include "MdiWindowCommands.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <algorithm>
#include <vector>

namespace reelkeep {
namespace {

std::vector<QMdiSubWindow*> ShownWindows(const QMdiArea& area, bool minimised)
{
    std::vector<QMdiSubWindow*> windows;
    // Topmost first, so the window the person works in gets the first strip.
    const QList<QMdiSubWindow*> stack = area.subWindowList(QMdiArea::StackingOrder);
    for (auto it = stack.rbegin(); it != stack.rend(); ++it)
        if (!(*it)->isHidden() && (*it)->isMinimized() == minimised)
            windows.push_back(*it);
    return windows;
}

// The client area less a row for the minimised windows, when there are any.
QRect TilingArea(QMdiArea& area)
{
    QRect client = area.viewport()->rect();
    const std::vector<QMdiSubWindow*> icons = ShownWindows(area, true);
    if (!icons.empty())
        client.setBottom(client.bottom() - icons.front()->height());
    return client;
}

void Tile(QMdiArea& area, bool strips)
{
    const std::vector<QMdiSubWindow*> windows = ShownWindows(area, false);
    if (windows.empty())
        return;
    const QRect client = TilingArea(area);
    const int count = static_cast<int>(windows.size());
    const int extent = strips ? client.height() : client.width();
    for (int i = 0; i < count; ++i) {
        const int from = extent * i / count;
        const int to = extent * (i + 1) / count;
        QMdiSubWindow* window = windows[static_cast<std::size_t>(i)];
        RestoreWindow(*window);
        window->setGeometry(strips ? QRect(client.left(), client.top() + from, client.width(), to - from)
                                   : QRect(client.left() + from, client.top(), to - from, client.height()));
    }
    ArrangeIcons(area);
}

} // namespace

void TileHorizontally(QMdiArea& area)
{
    Tile(area, true);
}

void TileVertically(QMdiArea& area)
{
    Tile(area, false);
}

void ArrangeIcons(QMdiArea& area)
{
    std::vector<QMdiSubWindow*> icons = ShownWindows(area, true);
    // Icons keep the order in which their windows were opened, not the stacking order.
    const QList<QMdiSubWindow*> created = area.subWindowList(QMdiArea::CreationOrder);
    std::sort(icons.begin(), icons.end(), [&](QMdiSubWindow* a, QMdiSubWindow* b) {
        return created.indexOf(a) < created.indexOf(b);
    });
    const QRect client = area.viewport()->rect();
    int x = client.left();
    int y = client.bottom() + 1;
    int rowHeight = 0;
    for (QMdiSubWindow* icon : icons) {
        if (x > client.left() && x + icon->width() > client.right() + 1) {
            x = client.left();
            y -= rowHeight;
            rowHeight = 0;
        }
        rowHeight = std::max(rowHeight, icon->height());
        icon->move(x, y - icon->height());
        x += icon->width();
    }
}

void RestoreWindow(QMdiSubWindow& window)
{
    if (window.isMinimized() || window.isMaximized())
        window.showNormal();
}

void FitToClientArea(QMdiSubWindow& window)
{
    RestoreWindow(window);
    if (QMdiArea* area = window.mdiArea())
        window.setGeometry(area->viewport()->rect());
}

} // namespace reelkeep
