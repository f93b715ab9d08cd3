#include "linking/GridEditing.h"
#include "common/KeyFilter.h"
#include "linking/PigeonGrid.h"

namespace durvek {

namespace {

constexpr int kDefaultCountryText = 41;
constexpr int kFemaleText = 68;
constexpr int kCountryLength = 3;
constexpr int kYearLength = 2;
constexpr int kBandLength = 10;
constexpr int kColourLength = 4;
const QString kDigitsMask = QStringLiteral("/N ");
const QString kDeleteMark = QStringLiteral("X");

QString maskOf(int column)
{
    return column == PigeonGrid::kYearColumn ? kDigitsMask : QString();
}

QString ansiUpperText(const QString& text)
{
    QString upper = text;
    for (QChar& c : upper)
        c = ansiUpper(c);
    return upper;
}

QString calendarYearDigits(const GridEditContext& context)
{
    const int year = context.calendarYear ? context.calendarYear() : 0;
    return QString::number(year).right(kYearLength);
}

// An empty country comes from the club's default on row 1, else from the row above.
void countryRule(PigeonGrid& grid, int row, const GridEditContext& context)
{
    if (!grid.cellText(row, PigeonGrid::kCountryColumn).isEmpty())
        return;
    const QString country = row == 1 ? context.catalogue(kDefaultCountryText)
                                     : grid.cellText(row - 1, PigeonGrid::kCountryColumn);
    grid.setCellText(row, PigeonGrid::kCountryColumn, country);
}

// A year shorter than two digits comes from this year on row 1, else from the row above.
void yearRule(PigeonGrid& grid, int row, const GridEditContext& context)
{
    if (grid.cellText(row, PigeonGrid::kYearColumn).size() >= kYearLength)
        return;
    const QString year = row > 1 ? grid.cellText(row - 1, PigeonGrid::kYearColumn) : calendarYearDigits(context);
    grid.setCellText(row, PigeonGrid::kYearColumn, year);
}

void leaveCountry(PigeonGrid& grid, int row, const GridEditContext& context)
{
    const QString text = grid.cellText(row, PigeonGrid::kCountryColumn);
    if (text.size() > kCountryLength)
        grid.setCellText(row, PigeonGrid::kCountryColumn, text.right(kCountryLength));
    countryRule(grid, row, context);
}

void leaveYear(PigeonGrid& grid, int row, const GridEditContext& context)
{
    const QString text = grid.cellText(row, PigeonGrid::kYearColumn);
    if (text.size() > kYearLength)
        grid.setCellText(row, PigeonGrid::kYearColumn, text.right(kYearLength));
    yearRule(grid, row, context);
}

// A band typed by its last digits takes the leading ones of the band left last.
void leaveBand(PigeonGrid& grid, int row, GridEditContext& context)
{
    QString text = grid.cellText(row, PigeonGrid::kBandColumn);
    QString& last = *context.lastBandEntered;
    const int n = int(text.size());
    if (n >= 1 && n < kBandLength) {
        text = (last.left(kBandLength - n) + text).right(kBandLength);
        grid.setCellText(row, PigeonGrid::kBandColumn, text);
    }
    last = text;
    countryRule(grid, row, context);
    yearRule(grid, row, context);
}

void leaveColour(PigeonGrid& grid, int row, GridEditContext& context)
{
    QString text = grid.cellText(row, PigeonGrid::kColourColumn).left(kColourLength);
    if (!text.isEmpty()) {
        QString& last = *context.lastColorEntered;
        text = last.left(kColourLength - int(text.size())) + text;
        last = text;
    }
    grid.setCellText(row, PigeonGrid::kColourColumn, text);
    if (grid.cellText(row, PigeonGrid::kBandColumn).isEmpty())
        return;
    countryRule(grid, row, context);
    yearRule(grid, row, context);
}

void upperCaseCurrentCell(PigeonGrid& grid)
{
    const int row = grid.currentRow();
    const int column = grid.currentColumn();
    grid.setCellText(row, column, ansiUpperText(grid.cellText(row, column)));
}

// Completes the cell, checks the row's federation band and moves one row
// down; false when the band is in use elsewhere and the cursor stays.
bool enterKey(PigeonGrid& grid, GridEditContext& context)
{
    const int row = grid.currentRow();
    const int column = grid.currentColumn();
    LeaveCell(grid, row, column, context);
    if (FedBandInUse(grid, row, grid.federationBand(row), context.warn))
        return false;
    if (row + 1 > grid.rowCount() - 1)
        grid.addRow();
    grid.setCurrent(row + 1, column, true);
    grid.setCellText(row + 1, PigeonGrid::kNumberColumn, QString::number(row + 1));
    return true;
}

void typeKey(PigeonGrid& grid, QChar key)
{
    const int row = grid.currentRow();
    const int column = grid.currentColumn();
    const QString text = grid.cellText(row, column);
    if (!FilterKey(text, maskOf(column), key, 0))
        return;
    grid.setCellText(row, column, (text + key).left(kLongestTypedText));
}

} // namespace

bool isTypedColumn(int column)
{
    return column >= PigeonGrid::kCountryColumn && column <= PigeonGrid::kColourColumn;
}

QString femaleMark(const GridEditContext& context)
{
    return context.catalogue(kFemaleText);
}

void GridKeyPress(PigeonGrid& grid, QChar key, bool fancierShown, GridEditContext& context)
{
    const int row = grid.currentRow();
    if (!fancierShown || !isTypedColumn(grid.currentColumn()) || row < 1 || row >= grid.rowCount())
        return;
    if (key == kEnterKey) {
        if (!enterKey(grid, context))
            return;
    } else if (key == kBackspaceKey) {
        const QString text = grid.cellText(row, grid.currentColumn());
        grid.setCellText(row, grid.currentColumn(), text.left(text.size() - 1));
    } else if (key.unicode() > 31) {
        typeKey(grid, key);
    }
    upperCaseCurrentCell(grid);
}

void LeaveCell(PigeonGrid& grid, int row, int column, GridEditContext& context)
{
    if (row < 1 || row >= grid.rowCount())
        return;
    switch (column) {
    case PigeonGrid::kCountryColumn:
        leaveCountry(grid, row, context);
        break;
    case PigeonGrid::kYearColumn:
        leaveYear(grid, row, context);
        break;
    case PigeonGrid::kBandColumn:
        leaveBand(grid, row, context);
        break;
    case PigeonGrid::kColourColumn:
        leaveColour(grid, row, context);
        break;
    default:
        break;
    }
}

void GridClick(PigeonGrid& grid, GridEditContext& context)
{
    const int row = grid.currentRow();
    const int column = grid.currentColumn();
    if (row < 1 || row >= grid.rowCount())
        return;
    if (column != PigeonGrid::kSexColumn && column != PigeonGrid::kDeleteColumn)
        return;
    if (!grid.cellText(row, column).isEmpty())
        grid.setCellText(row, column, QString());
    else
        grid.setCellText(row, column, column == PigeonGrid::kSexColumn ? femaleMark(context) : kDeleteMark);
}

bool FedBandInUse(const PigeonGrid& grid, int row, const QString& checkedFedBand, const WarnUser& warn)
{
    if (grid.cellText(row, PigeonGrid::kBandColumn).isEmpty())
        return false;
    for (int i = 1; i < grid.rowCount(); ++i) {
        if (i == row || !grid.hasFederationBand(i, checkedFedBand))
            continue;
        if (warn)
            warn(QStringLiteral("Fed. band ") + checkedFedBand + QStringLiteral(" already used by this fancier"),
                 QStringLiteral("Reading El. band # ") + QString::number(i));
        return true;
    }
    return false;
}

} // namespace durvek
