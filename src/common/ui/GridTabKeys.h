#pragma once

class QAbstractItemView;

namespace durvek {

// Tab and Shift+Tab move from cell to cell inside grid, as in a sheet; Tab on
// the last cell and Shift+Tab on the first leave the grid for the next or
// previous control, and so do Ctrl+Tab and Ctrl+Shift+Tab from any cell.
void useTabBetweenCells(QAbstractItemView* grid);

// Whether Tab (Shift+Tab when backwards) on grid's current cell leaves the
// grid: there is no further cell that way.
bool tabLeavesGrid(const QAbstractItemView* grid, bool backwards);

} // namespace durvek
