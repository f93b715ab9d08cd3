#pragma once
#include "clubresult/ClubResult.h"
#include <QDate>
#include <QSqlDatabase>
#include <optional>

namespace durvek {

// Everything the club result of a race day is worked out from, read from the
// club database: the race's name and release data, the club's prize and
// nomination settings, the stored entries with their fanciers, and the clock
// checks. Nothing when no entry is stored for that race and day.
// Throws DatabaseError when the engine refuses.
std::optional<ClubResultInput> loadClubResultInput(const QSqlDatabase& db, int race, const QDate& raceDate);

struct RaceDay {
    int race = 0;
    QDate day;
};

// The race day with stored entries that has the latest date (of two races on
// that date, the one whose entries were stored last); none before the first
// clock is added. Throws DatabaseError when the engine refuses.
std::optional<RaceDay> latestRaceDayWithEntries(const QSqlDatabase& db);

// loadClubResultInput, then computeClubResult.
std::optional<ClubResult> loadClubResult(const QSqlDatabase& db, int race, const QDate& raceDate);

} // namespace durvek
