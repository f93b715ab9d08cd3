#pragma once
// Test helpers of the band reading tests: a pigeon grid in memory, a host
// that counts beeps and lets a test act at every event pump, and the
// catalogue texts the readings compose their messages from.
#include "support/ScriptedHost.h"
#include "clocklink/AntennaReading.h"
#include "clocklink/PigeonGridAccess.h"
#include <QList>
#include <QPair>
#include <QStringList>
#include <QVector>
#include <functional>

namespace durvek::test {

class FakePigeonGrid : public PigeonGridAccess {
public:
    static constexpr int kColumns = 8;

    QVector<QStringList> cells;
    int current = 1;
    QList<QPair<int, RowColour>> colours;
    int refreshes = 0;
    // Called after a code went into the electronic band column.
    std::function<void(int row, const QString& code)> onChipCodeSet;

    // One data row per band (with the code of the same index, if any), then
    // the empty row for the next entry. Row 0 carries the column headers.
    static FakePigeonGrid withRows(const QStringList& bands, const QStringList& codes = {})
    {
        FakePigeonGrid grid;
        QStringList header(kColumns);
        header[0] = QStringLiteral("#");
        header[kFedBandColumn] = QStringLiteral("Fed. band");
        header[kChipCodeColumn] = QStringLiteral("El. band");
        grid.cells << header;
        for (int i = 0; i < bands.size(); ++i) {
            QStringList row(kColumns);
            row[0] = QString::number(i + 1);
            row[1] = QStringLiteral("BE");
            row[2] = QStringLiteral("24");
            row[kFedBandColumn] = bands[i];
            row[kChipCodeColumn] = codes.value(i);
            grid.cells << row;
        }
        QStringList empty(kColumns);
        empty[0] = QString::number(bands.size() + 1);
        grid.cells << empty;
        return grid;
    }

    QStringList chipCodes() const
    {
        QStringList out;
        for (int row = 1; row < cells.size(); ++row)
            out << cells[row][kChipCodeColumn];
        return out;
    }

    // The rows that are yellow now.
    QList<int> yellowRows() const
    {
        QList<int> out;
        for (const auto& [row, colour] : colours) {
            if (colour == RowColour::Yellow && !out.contains(row))
                out << row;
            if (colour == RowColour::White)
                out.removeAll(row);
        }
        return out;
    }

    int rowCount() const override { return int(cells.size()); }
    int currentRow() const override { return current; }
    void setCurrentRow(int row) override { current = row; }
    QString cellText(int row, int column) const override { return cells.value(row).value(column); }
    void setCellText(int row, int column, const QString& text) override
    {
        cells[row][column] = text;
        if (column == kChipCodeColumn && onChipCodeSet)
            onChipCodeSet(row, text);
    }
    void colourRow(int row, RowColour colour) override { colours << qMakePair(row, colour); }
    void refresh() override { ++refreshes; }
};

class AntennaHost : public testing::ScriptedHost {
public:
    int beeps = 0;
    std::function<void(int pump)> onPump;

    void pumpEvents() override
    {
        ScriptedHost::pumpEvents();
        if (onPump)
            onPump(pumps);
    }
    void beep() override { ++beeps; }
};

// The catalogue as the messages are checked against.
inline QString antennaTexts(int number)
{
    switch (number) {
    case 39: return QStringLiteral("El. band");
    case 58: return QStringLiteral("Row #");
    case 59: return QStringLiteral("No converter");
    case 62: return QStringLiteral("Band first");
    case 63: return QStringLiteral("Has a code");
    case 65: return QStringLiteral(": in use");
    case 120: return QStringLiteral("Hold row %1");
    case 214: return QStringLiteral("Stopped at %1");
    case 302: return QStringLiteral("%1 is on a pigeon of %2");
    case 45: return QStringLiteral("Multiple-bands");
    case 114: return QStringLiteral("Read %1 in %2 s");
    case 116: return QStringLiteral("%1 stopped: %2");
    default: return QStringLiteral("T%1").arg(number);
    }
}

inline LinkParams antennaLink(bool converter)
{
    LinkParams link;
    link.port = 1;
    link.converter = converter;
    link.lineMode = converter ? 0 : 1;
    return link;
}

} // namespace durvek::test
