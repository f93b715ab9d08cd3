#pragma once
#include "clubresult/ClockCheck.h"
#include "clubresult/ClubResultCollector.h"
#include <QDate>
#include <QSqlDatabase>
#include <QString>
#include <QTime>
#include <optional>

namespace durvek {

struct RaceData;

// What the secretary confirms when a clock is added to the club result: the
// race and race day, their release data, and this clock's check.
struct ClubResultEntry {
    int race = 1;
    QDate raceDay;
    QString pointName;
    QString latitude;  // as typed, in the loft coordinate forms; blank: not known yet
    QString longitude;
    std::optional<QTime> releaseTime; // none: not known yet
    std::optional<ClockCheck> check;  // none: no deviation typed, no correction
};

// The release data already stored for the race and race day, for the entry
// to start from; blank where nothing is stored.
ClubResultEntry storedEntry(const QSqlDatabase& db, int race, const QDate& raceDay);

// The race whose stored race days include the day (the lowest-numbered
// when several do); none when no race has that day yet.
std::optional<int> raceOnDay(const QSqlDatabase& db, const QDate& day);

// Why the entry cannot be stored (a coordinate that is typed but not
// understood, the catalogue's sentence for it); empty when it can.
QString entryProblem(const ClubResultEntry& entry);

// A release time as typed, "H:mm:ss" or "H:mm"; invalid when neither.
QTime typedReleaseTime(const QString& text);

// Stores the release point of the race and the release time of the race day
// together, as the races window enters them without a clock.
// Throws DatabaseError when the engine refuses.
void saveReleaseData(const QSqlDatabase& db, const ClubResultEntry& entry);

// Stores the release data, the clock check and the clock's entries of the
// chosen flight (addToClubResult) in one transaction; a refused clock stores
// nothing at all. The caller checks entryProblem first.
// Throws DatabaseError when the engine refuses.
CollectOutcome addClockToClubResult(const QSqlDatabase& db, const RaceData& data, int flightIndex,
                                    const ClubResultEntry& entry);

} // namespace durvek
