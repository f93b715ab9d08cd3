#pragma once

class QAbstractItemView;

namespace durvek {

// Tab and Shift+Tab move from cell to cell inside grid, as in a sheet;
// Ctrl+Tab and Ctrl+Shift+Tab leave the grid for the next or previous control.
void useTabBetweenCells(QAbstractItemView* grid);

} // namespace durvek
