#pragma once
#include "clocklink/PigeonGridAccess.h"
#include <QList>
#include <QString>
#include <QStringList>

namespace durvek {

// What a view of the pigeon grid is told about changes, so it can follow
// without reading the whole grid again.
class PigeonGridObserver {
public:
    virtual ~PigeonGridObserver() = default;
    // Rows or headers changed in a way other than appending.
    virtual void gridReset() = 0;
    virtual void rowsAppended(int firstRow, int lastRow) = 0;
    virtual void cellChanged(int row, int column) = 0;
    virtual void rowColourChanged(int row) = 0;
    // The current cell moved by the program (never by the user); toTop asks
    // for the row to be scrolled to the top of the visible area.
    virtual void currentMoved(int row, int column, bool toTop) = 0;
    virtual void refreshRequested() = 0;
};

// The pigeon grid of the linking window without its widget: one pigeon per
// row, rows not tied to database records. Row 0 holds the column headers;
// data rows run from 1 to rowCount() - 1 and the last row is normally the
// empty one for the next entry. Row numbers are the ones the user sees.
class PigeonGrid : public PigeonGridAccess {
public:
    static constexpr int kColumns = 8;
    static constexpr int kNumberColumn = 0;
    static constexpr int kCountryColumn = 1;
    static constexpr int kYearColumn = 2;
    static constexpr int kBandColumn = 3;
    static constexpr int kColourColumn = 4;
    static constexpr int kSexColumn = 5;
    static constexpr int kChipCodeColumnIndex = 6;
    static constexpr int kDeleteColumn = 7;

    PigeonGrid();

    void setObserver(PigeonGridObserver* observer) { m_observer = observer; }

    // Clears every cell and leaves the header row with these texts and row 1
    // numbered "1".
    void reset(const QStringList& headers);
    // Cuts the grid or lengthens it with empty rows; the header row always stays.
    void setRowCount(int rows);
    void addRow();

    int rowCount() const override { return int(m_cells.size()); }
    QString cellText(int row, int column) const override;
    void setCellText(int row, int column, const QString& text) override;

    int currentRow() const override { return m_currentRow; }
    int currentColumn() const { return m_currentColumn; }
    // Brings the row into view as well, keeping the column.
    void setCurrentRow(int row) override;
    // Moves the current cell; toTop scrolls the row to the top of the view.
    void setCurrent(int row, int column, bool toTop = false);
    // Follows a move the user made in the view; the view knows already.
    void followUserMove(int row, int column);

    void colourRow(int row, RowColour colour) override;
    RowColour rowColour(int row) const;
    void refresh() override;

    // Country, year and band of a row joined without separators: what two
    // rows must not share.
    QString federationBand(int row) const;
    // federationBand(row) == joined, without building the joined text: the
    // check runs over every row for every band generated.
    bool hasFederationBand(int row, const QString& joined) const;

private:
    bool isCell(int row, int column) const;
    QStringList emptyRow() const;

    QList<QStringList> m_cells;
    QList<RowColour> m_colours;
    int m_currentRow = 1;
    int m_currentColumn = kCountryColumn;
    PigeonGridObserver* m_observer = nullptr;
};

} // namespace durvek
