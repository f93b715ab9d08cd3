#pragma once
#include "linking/GridEditContext.h"
#include <QChar>
#include <QString>

namespace durvek {

class PigeonGrid;

// The editing rules of the pigeon grid. The grid control never edits a cell
// itself: typed keys come here, and every cell the user leaves is checked and
// completed, so long runs of bands can be typed by their last digits.

inline constexpr QChar kEnterKey = QChar(13);
inline constexpr QChar kBackspaceKey = QChar(8);
inline constexpr int kLongestTypedText = 10;

// True for the columns that take typed keys (country, year, band, colour).
bool isTypedColumn(int column);

// One key typed into the current cell. Nothing happens without a fancier or
// outside the typed columns. Enter completes the cell and moves one row down
// (adding a row at the end) unless the row's federation band is in use
// elsewhere; other keys pass the column's mask and are appended.
void GridKeyPress(PigeonGrid& grid, QChar key, bool fancierShown, GridEditContext& context);

// The cell (row, column) is being left: cut, complete and fill by its column.
void LeaveCell(PigeonGrid& grid, int row, int column, GridEditContext& context);

// A click on the grid: toggles the sex mark (text 68) or the delete mark "X"
// when the current cell is in one of those columns.
void GridClick(PigeonGrid& grid, GridEditContext& context);

// True when a data row other than row holds the federation band
// checkedFedBand (country, year and band joined); the user is warned with the
// first such row's number in the title. A row without a band number has no
// federation band, so it never clashes.
bool FedBandInUse(const PigeonGrid& grid, int row, const QString& checkedFedBand, const WarnUser& warn);

// The sex cell text of a female: catalogue text 68.
QString femaleMark(const GridEditContext& context);

} // namespace durvek
