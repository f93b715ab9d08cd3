#include "linking/UnsavedGridEdits.h"
#include "linking/PigeonGrid.h"

namespace durvek {

namespace {

bool holdsPigeonData(const PigeonGrid& grid, int row)
{
    for (int column = PigeonGrid::kBandColumn; column < PigeonGrid::kColumns; ++column) {
        if (!grid.cellText(row, column).trimmed().isEmpty())
            return true;
    }
    return false;
}

} // namespace

QList<QStringList> UnsavedGridEdits::entries(const PigeonGrid& grid)
{
    QList<QStringList> rows;
    for (int row = 1; row < grid.rowCount(); ++row) {
        if (!holdsPigeonData(grid, row))
            continue;
        // The row number follows the row's place; it is not the pigeon's data.
        QStringList cells;
        for (int column = PigeonGrid::kCountryColumn; column < PigeonGrid::kColumns; ++column)
            cells << grid.cellText(row, column).trimmed();
        rows << cells;
    }
    return rows;
}

} // namespace durvek
