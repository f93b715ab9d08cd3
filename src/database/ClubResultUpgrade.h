#pragma once
#include <QSqlDatabase>

namespace durvek {

// The tables and settings of the club result, added by the start-up upgrade:
//   releasepoints  race (races.id), point name, latitude, longitude as typed
//   racedays       race, racedate (yyyy-MM-dd), releasetime (HH:mm:ss or null)
//   clockchecks    race, racedate, fancier, settime and checktime
//                  (yyyy-MM-dd HH:mm:ss), deviation (seconds fast, slow negative)
//   clubarrivals   race, racedate, fancier, elcode, band, arrivaldate,
//                  arrivaltime (null when the pigeon did not arrive), status;
//                  one row per pigeon of a fancier and race day;
//                  nominationorder: the pigeon's place in the fancier's
//                  basketing order (1, 2, ...), null when not known
//   settings.PrizeEvery (one prize per that many basketed pigeons; null = 4)
//   settings.Nominated  (mark each fancier's first- and second-nominated pigeon)
// Existing tables and rows stay as they are.
// Throws DatabaseError when table settings is missing.
void AddClubResultTables(const QSqlDatabase& db);

} // namespace durvek
