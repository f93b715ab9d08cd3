#pragma once
#include <QString>

namespace durvek {

struct ResultRecord;

// The report kinds of the print manager, in the order of their option buttons.
enum class ReportKind {
    Overview = 0,   // every flight and every record, numbered, with counts
    Race = 1,       // arrivals that count for the race: status "1" or "!"
    Training = 2,   // training arrivals: status "5", no flight lines
    NotArrived = 3, // pigeons that did not arrive: status "2"
};

// Whether a race or not-arrived report covers every flight or one.
enum class ReportScope {
    AllFlights = 0,
    OneFlight = 1,
};

// What the user chose in the print manager.
struct ReportSelection {
    ReportKind kind = ReportKind::Overview;
    ReportScope raceScope = ReportScope::AllFlights;
    ReportScope notArrivedScope = ReportScope::AllFlights;
    // The chosen flight as an index into RaceData::flights; below 0 for none.
    // The index travels with the flight list's item: entries the clock marked
    // unusable have no item, so the item's row is not the flight's index.
    int flightIndex = -1;

    // The scope that applies to the chosen kind; kinds without a scope pair
    // cover every flight.
    ReportScope scope() const;
};

// Whether a record's status belongs to the report kind.
bool reportSelects(ReportKind kind, const ResultRecord& record);

} // namespace durvek
