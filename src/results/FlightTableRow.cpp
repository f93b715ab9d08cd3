#include "results/FlightTableRow.h"
#include "results/ClockDateTime.h"
#include "results/FlightEntry.h"
#include "results/ReportPrinter.h"
#include "results/ReportSelection.h"
#include "results/ResultRecord.h"

namespace durvek {

namespace {

bool arrived(const ResultRecord& record)
{
    return reportSelects(ReportKind::Race, record) || reportSelects(ReportKind::Training, record);
}

} // namespace

FlightTableRow FlightTableRow::of(const FlightEntry& flight, const QList<ResultRecord>& results)
{
    FlightTableRow row;
    row.cells = {printableText(flight.flightCode).trimmed(), printableText(flight.flightCode2).trimmed(),
                 readableClockDate(printableText(flight.details[0]).trimmed()),
                 readableClockTime(printableText(flight.details[1]).trimmed()),
                 QString::number(arrivalsIn(flight.key(), results))};
    return row;
}

int arrivalsIn(const QString& flightKey, const QList<ResultRecord>& results)
{
    int count = 0;
    for (const ResultRecord& record : results) {
        if (record.flightCode + record.flightCode2 == flightKey && arrived(record))
            ++count;
    }
    return count;
}

} // namespace durvek
