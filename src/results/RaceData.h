#pragma once
#include "results/FlightEntry.h"
#include "results/ResultRecord.h"
#include <QList>
#include <QString>

namespace durvek {

// What the last race read-out (or pigeon import) left in memory: the clock's
// identity, its flights and its pigeon entries. The print manager's reports
// print from it; it lives until the next read-out or import.
struct RaceData {
    QString clockIdentity; // the clock's identity text, 20 characters after a read
    QString clockLicence;  // 8
    QString clockName;     // 25
    QString clockAddress;  // 25
    QString clockZip;      // 6
    QString clockCity;     // 20
    QList<FlightEntry> flights;   // its size is the number of flight entries read (Tteller)
    QList<ResultRecord> results;  // its size is the number of pigeon records (Aantal_Duiven)

    int flightCount() const { return int(flights.size()); }
    int pigeonCount() const { return int(results.size()); }
};

// The program's one copy.
RaceData& raceData();

} // namespace durvek
