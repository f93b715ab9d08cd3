#include "linking/PigeonGrid.h"
#include <algorithm>

namespace durvek {

static_assert(PigeonGrid::kChipCodeColumnIndex == PigeonGridAccess::kChipCodeColumn);
static_assert(PigeonGrid::kBandColumn == PigeonGridAccess::kFedBandColumn);

PigeonGrid::PigeonGrid()
{
    reset(QStringList());
}

void PigeonGrid::reset(const QStringList& headers)
{
    m_cells.clear();
    m_colours.clear();
    QStringList header = emptyRow();
    for (int column = 0; column < kColumns && column < headers.size(); ++column)
        header[column] = headers[column];
    m_cells << header << emptyRow();
    m_colours << RowColour::White << RowColour::White;
    m_cells[1][kNumberColumn] = QStringLiteral("1");
    m_currentRow = 1;
    if (m_observer) {
        m_observer->gridReset();
        m_observer->currentMoved(m_currentRow, m_currentColumn, false);
    }
}

void PigeonGrid::setRowCount(int rows)
{
    rows = std::max(rows, 1);
    if (rows == rowCount())
        return;
    if (rows > rowCount()) {
        const int first = rowCount();
        while (rowCount() < rows) {
            m_cells << emptyRow();
            m_colours << RowColour::White;
        }
        if (m_observer)
            m_observer->rowsAppended(first, rows - 1);
        return;
    }
    m_cells.resize(rows);
    m_colours.resize(rows);
    m_currentRow = std::min(m_currentRow, rows - 1);
    if (m_observer)
        m_observer->gridReset();
}

void PigeonGrid::addRow()
{
    setRowCount(rowCount() + 1);
}

QString PigeonGrid::cellText(int row, int column) const
{
    return isCell(row, column) ? m_cells[row][column] : QString();
}

void PigeonGrid::setCellText(int row, int column, const QString& text)
{
    if (!isCell(row, column) || m_cells[row][column] == text)
        return;
    m_cells[row][column] = text;
    if (m_observer)
        m_observer->cellChanged(row, column);
}

void PigeonGrid::setCurrentRow(int row)
{
    setCurrent(row, m_currentColumn, false);
}

void PigeonGrid::setCurrent(int row, int column, bool toTop)
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= kColumns)
        return;
    m_currentRow = row;
    m_currentColumn = column;
    if (m_observer)
        m_observer->currentMoved(row, column, toTop);
}

void PigeonGrid::followUserMove(int row, int column)
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= kColumns)
        return;
    m_currentRow = row;
    m_currentColumn = column;
}

void PigeonGrid::colourRow(int row, RowColour colour)
{
    if (row < 0 || row >= rowCount() || m_colours[row] == colour)
        return;
    m_colours[row] = colour;
    if (m_observer)
        m_observer->rowColourChanged(row);
}

PigeonGridAccess::RowColour PigeonGrid::rowColour(int row) const
{
    return row >= 0 && row < rowCount() ? m_colours[row] : RowColour::White;
}

void PigeonGrid::refresh()
{
    if (m_observer)
        m_observer->refreshRequested();
}

QString PigeonGrid::federationBand(int row) const
{
    return cellText(row, kCountryColumn) + cellText(row, kYearColumn) + cellText(row, kBandColumn);
}

bool PigeonGrid::hasFederationBand(int row, const QString& joined) const
{
    if (row < 0 || row >= rowCount())
        return false;
    const QStringList& cells = m_cells[row];
    const QString& country = cells[kCountryColumn];
    const QString& year = cells[kYearColumn];
    const QString& band = cells[kBandColumn];
    if (country.size() + year.size() + band.size() != joined.size())
        return false;
    const QStringView rest(joined);
    return rest.startsWith(country) && rest.mid(country.size()).startsWith(year)
        && rest.mid(country.size() + year.size()) == band;
}

bool PigeonGrid::isCell(int row, int column) const
{
    return row >= 0 && row < rowCount() && column >= 0 && column < kColumns;
}

QStringList PigeonGrid::emptyRow() const
{
    QStringList row;
    row.reserve(kColumns);
    for (int column = 0; column < kColumns; ++column)
        row << QString();
    return row;
}

} // namespace durvek
