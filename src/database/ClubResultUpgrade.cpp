#include "database/ClubResultUpgrade.h"
#include "database/SchemaUpgrade.h"
#include "database/SqlUtil.h"

namespace durvek {

namespace {

const char* const kTables[] = {
    "CREATE TABLE IF NOT EXISTS releasepoints ("
    "race INTEGER PRIMARY KEY, point VARCHAR(30), latitude VARCHAR(20), longitude VARCHAR(20))",

    "CREATE TABLE IF NOT EXISTS racedays ("
    "race INTEGER NOT NULL, racedate VARCHAR(10) NOT NULL, releasetime VARCHAR(8), "
    "PRIMARY KEY (race, racedate))",

    "CREATE TABLE IF NOT EXISTS clockchecks ("
    "race INTEGER NOT NULL, racedate VARCHAR(10) NOT NULL, fancier INTEGER NOT NULL, "
    "settime VARCHAR(19) NOT NULL, checktime VARCHAR(19) NOT NULL, deviation INTEGER NOT NULL, "
    "PRIMARY KEY (race, racedate, fancier))",

    // The unique key is what makes a second read of the same clock replace
    // rather than add: the store deletes the fancier's rows of the race day
    // first, and a pigeon held twice in one flight cannot slip in twice.
    "CREATE TABLE IF NOT EXISTS clubarrivals ("
    "race INTEGER NOT NULL, racedate VARCHAR(10) NOT NULL, fancier INTEGER NOT NULL, "
    "elcode VARCHAR(8), band VARCHAR(14), arrivaldate VARCHAR(10), arrivaltime VARCHAR(8), "
    "status VARCHAR(1), "
    "UNIQUE (race, racedate, fancier, elcode, band))",
};

} // namespace

void AddClubResultTables(const QSqlDatabase& db)
{
    inTransaction(db, [&] {
        for (const char* sql : kTables)
            runDdl(db, QString::fromLatin1(sql));
    });
    AddFieldIfMissing(db, QStringLiteral("clubarrivals"), QStringLiteral("nominationorder"), FieldType::Long, 4, true);
    AddFieldIfMissing(db, QStringLiteral("settings"), QStringLiteral("PrizeEvery"), FieldType::Long, 4, true);
    AddFieldIfMissing(db, QStringLiteral("settings"), QStringLiteral("Nominated"), FieldType::Boolean, 1, true);
}

} // namespace durvek
