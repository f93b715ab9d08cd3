#pragma once
#include <QDate>
#include <QSqlDatabase>
#include <QString>

namespace durvek {

struct RaceData;

struct CollectOutcome {
    bool stored = false;
    int entries = 0;   // entries of the chosen flight now stored for the fancier
    QString message;   // what to tell the secretary, either way
};

// Why a read clock cannot go into the club result at all: its licence is no
// club fancier's. Empty when a club fancier holds it.
// Throws DatabaseError when the engine refuses.
QString clockRefusal(const QSqlDatabase& db, const RaceData& data);

// "Add to club result": stores the entries of the read-out's chosen flight
// (flightIndex into data.flights) for the race and race day, under the club
// fancier whose licence the clock holds. The fancier's earlier entries of that
// race day are replaced in the same transaction, so reading a clock again
// never adds anything twice. A clock whose licence is no club fancier's, or a
// flight index that is not one of the read-out's, stores nothing.
// Throws DatabaseError when the engine refuses.
CollectOutcome addToClubResult(const QSqlDatabase& db, const RaceData& data, int flightIndex, int race,
                               const QDate& raceDate);

} // namespace durvek
