#pragma once
// A pigeon grid and an editing context whose catalogue, calendar and
// warnings a test controls.
#include "linking/GridEditContext.h"
#include "linking/PigeonGrid.h"
#include <QStringList>
#include <memory>

namespace durvek::test {

struct EditBench {
    PigeonGrid grid;
    QString lastBand = QStringLiteral("0000000000");
    QString lastColour;
    QStringList warnings; // "title|message"
    int year = 2031;
    GridEditContext context;

    EditBench()
    {
        context.text = [](int number) {
            switch (number) {
            case 41: return QStringLiteral("NL");
            case 68: return QStringLiteral("W");
            default: return QStringLiteral("T%1").arg(number);
            }
        };
        context.warn = [this](const QString& message, const QString& title) { warnings << title + u'|' + message; };
        context.calendarYear = [this] { return year; };
        context.lastBandEntered = &lastBand;
        context.lastColorEntered = &lastColour;
        grid.reset({QStringLiteral("#")});
    }
    // The context points into the bench.
    EditBench(const EditBench&) = delete;
    EditBench& operator=(const EditBench&) = delete;

    // Data rows given as "country|year|band|colour|sex|elcode|del", then the
    // empty numbered row for the next entry.
    void setRows(const QStringList& rows)
    {
        grid.reset({QStringLiteral("#")});
        for (int i = 0; i < rows.size(); ++i) {
            const int r = i + 1;
            const QStringList cells = rows[i].split(u'|');
            grid.setCellText(r, 0, QString::number(r));
            for (int c = 0; c < cells.size() && c < 7; ++c)
                grid.setCellText(r, c + 1, cells[c]);
            grid.addRow();
            grid.setCellText(r + 1, 0, QString::number(r + 1));
        }
    }

    // A row as "country|year|band|colour|sex|elcode|del".
    QString row(int r) const
    {
        QStringList cells;
        for (int c = 1; c < PigeonGrid::kColumns; ++c)
            cells << grid.cellText(r, c);
        return cells.join(u'|');
    }
};

} // namespace durvek::test
