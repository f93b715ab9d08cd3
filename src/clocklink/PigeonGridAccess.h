#pragma once
#include <QString>

namespace durvek {

// What the band readings need from the pigeon grid of the linking window.
// Row 0 is the header; data rows run from 1 to rowCount() - 1, the last one
// normally being the empty row for the next entry.
class PigeonGridAccess {
public:
    static constexpr int kFedBandColumn = 3;
    static constexpr int kChipCodeColumn = 6;
    static constexpr int kChipCodeLength = 8;

    enum class RowColour { White, Yellow };

    virtual ~PigeonGridAccess() = default;

    virtual int rowCount() const = 0;
    virtual int currentRow() const = 0;
    // Also brings the row into view: the official holds the pigeon of the
    // row the screen shows.
    virtual void setCurrentRow(int row) = 0;
    virtual QString cellText(int row, int column) const = 0;
    virtual void setCellText(int row, int column, const QString& text) = 0;
    // Yellow marks the row whose pigeon the antenna waits for.
    virtual void colourRow(int row, RowColour colour) = 0;
    virtual void refresh() = 0;

    QString fedBand(int row) const { return cellText(row, kFedBandColumn); }
    QString chipCode(int row) const { return cellText(row, kChipCodeColumn); }
};

// The first data row whose electronic band equals the first 8 characters of
// code, or 0 when none does. Every data row takes part, the current one too.
inline int rowHoldingChipCode(const PigeonGridAccess& grid, const QString& code)
{
    const QString wanted = code.left(PigeonGridAccess::kChipCodeLength);
    if (wanted.isEmpty())
        return 0; // no code is in use anywhere, however many rows lack one
    for (int row = 1; row < grid.rowCount(); ++row) {
        if (grid.chipCode(row) == wanted)
            return row;
    }
    return 0;
}

} // namespace durvek
