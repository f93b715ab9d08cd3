#pragma once
#include "clubresult/ClockCheck.h"
#include <QDate>
#include <QSqlDatabase>
#include <QString>
#include <QTime>
#include <optional>

namespace durvek {

// The release data and clock checks of the club result, as the secretary
// enters them. Coordinates are kept as typed; they are read with the loft
// coordinate rules when a result is worked out. Each call replaces the row it
// names. Throws DatabaseError when the engine refuses.
void saveReleasePoint(const QSqlDatabase& db, int race, const QString& pointName,
                      const QString& latitude, const QString& longitude);
// releaseTime none: the day is known, the release time not yet.
void saveRaceDay(const QSqlDatabase& db, int race, const QDate& raceDate,
                 const std::optional<QTime>& releaseTime);
void saveClockCheck(const QSqlDatabase& db, int race, const QDate& raceDate, int fancier,
                    const ClockCheck& check);
// No correction for the fancier's clock on that race day.
void forgetClockCheck(const QSqlDatabase& db, int race, const QDate& raceDate, int fancier);

// The text form of dates and times in the club result's tables.
QString storedDate(const QDate& date);
QString storedTime(const QTime& time);
QString storedDateTime(const QDateTime& dateTime);

} // namespace durvek
