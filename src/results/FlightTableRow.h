#pragma once
#include <QList>
#include <QStringList>

namespace durvek {

struct FlightEntry;
struct ResultRecord;

// One flight as the print manager's flight table shows it, decoded from the
// flight text: the race code and the flight's number (together the key the
// pigeon entries point to), the date and time the clock gives first, and how
// many of the read pigeon entries arrived in it.
struct FlightTableRow {
    enum Column { Race = 0, Number = 1, Date = 2, Time = 3, Arrivals = 4 };
    static constexpr int kColumnCount = 5;
    // The catalogue texts of the column headings, in column order.
    static constexpr int kHeadingTexts[kColumnCount] = {93, 133, 134, 135, 136};

    QStringList cells; // in column order

    static FlightTableRow of(const FlightEntry& flight, const QList<ResultRecord>& results);
};

// The entries of results that arrived in the flight with this key: race
// ("1", "!") and training ("5") arrivals; pigeons that did not arrive ("2")
// are not counted.
int arrivalsIn(const QString& flightKey, const QList<ResultRecord>& results);

} // namespace durvek
