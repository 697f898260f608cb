// Window arrangements of an MDI area that Qt does not offer itself: tiling in strips,
// lining up minimised windows, restoring and filling the client area.
#pragma once

class QMdiArea;
class QMdiSubWindow;

namespace reelkeep {

// Every shown window that is not minimised becomes a full-width strip, one above the other.
void TileHorizontally(QMdiArea& area);
// Every shown window that is not minimised becomes a full-height column, side by side.
void TileVertically(QMdiArea& area);
// Minimised windows are lined up from the bottom left corner, row above row.
void ArrangeIcons(QMdiArea& area);
// A minimised or maximised window goes back to its normal size and place.
void RestoreWindow(QMdiSubWindow& window);
// The window, restored, covers the whole client area of its MDI area.
void FitToClientArea(QMdiSubWindow& window);

} // namespace reelkeep
